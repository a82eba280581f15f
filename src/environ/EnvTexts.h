#pragma once

// The captions and labels of the environment dialog, kept in one place.

#include <QLatin1StringView>

namespace EnvTexts {
inline constexpr QLatin1StringView Caption{"Environ"};
inline constexpr QLatin1StringView CloseButton{"Close"};

inline constexpr QLatin1StringView Window1Sheet{"Window1"};
inline constexpr QLatin1StringView Sample{"ABCDEFG abcdefg 123456"};
inline constexpr QLatin1StringView FontGroup{"Font"};
inline constexpr QLatin1StringView BackgroundGroup{"Background color"};
inline constexpr QLatin1StringView Change{"Change"};
inline constexpr QLatin1StringView CharacterSet{"Character set"};
inline constexpr QLatin1StringView ColBytes1{"The number of characters"};
inline constexpr QLatin1StringView ColBytes2{"in TTY screen's one line.  "};
inline constexpr QLatin1StringView ColBytes3{"( default is 84 )"};

inline constexpr QLatin1StringView Window2Sheet{"Window2"};
inline constexpr QLatin1StringView WindowPosition{"Window size && position "};
inline constexpr QLatin1StringView Save{"Save"};
inline constexpr QLatin1StringView SaverOff{"Terminate screen saver when signal comes."};
inline constexpr QLatin1StringView HistoryLines{"History Lines"};

inline constexpr QLatin1StringView Rs232cSheet{"Rs232c"};
inline constexpr QLatin1StringView Rs232cGroup{"Rs232c Link function basic configuration "};
inline constexpr QLatin1StringView BaudRate{"Baud Rate "};
inline constexpr QLatin1StringView BitLen{"Bit Length"};
inline constexpr QLatin1StringView Stop{"Stop"};
inline constexpr QLatin1StringView Parity{"Parity "};
inline constexpr QLatin1StringView Flow{"Flow "};
inline constexpr QLatin1StringView SendCrLf{"Send CR=CR+LF (Rs232c->Node)"};

inline constexpr QLatin1StringView ScriptSheet{"Script"};
inline constexpr QLatin1StringView EditScripts{"Edit function key's script with your text editor"};
inline constexpr QLatin1StringView KeyPrefix{"F-"};
inline constexpr QLatin1StringView Example{"Example"};

inline constexpr QLatin1StringView SoundSheet{"Sound"};
inline constexpr QLatin1StringView ActionSheet{"Action"};
inline constexpr QLatin1StringView StringsSheet{"Strings"};
inline constexpr QLatin1StringView OnConnect{"Connect "};
inline constexpr QLatin1StringView OnDisconnect{"DisConnect"};
inline constexpr QLatin1StringView ReceiveStrings{"Receive strings "};
inline constexpr QLatin1StringView WavFileName{"Wav File name"};
inline constexpr QLatin1StringView Test{"test"};

inline constexpr QLatin1StringView ScrollBufferSheet{"Scroll buffer"};
inline constexpr QLatin1StringView ScrollBuffer{"Scroll buffer "};
inline constexpr QLatin1StringView Clear{"Clear"};
inline constexpr QLatin1StringView ClearSure{"Clear scroll buffer.  Sure ? "};
inline constexpr QLatin1StringView ScrollFileName{" scroll buffer file name  "};
inline constexpr QLatin1StringView Fixed{"Fixed"};
inline constexpr QLatin1StringView EveryNode{"The name for every node"};
inline constexpr QLatin1StringView NotUse{"Not use"};

inline constexpr QLatin1StringView LinkCheckSheet{"Link Check"};
inline constexpr QLatin1StringView LinkCheckUnit{"minutes ( 0=disable ) "};
inline constexpr QLatin1StringView LinkCheckNote{
    "If a signal stops coming and time passes below, an empty packet \n"
    "will be transmitted for a link check."};

inline constexpr QLatin1StringView ReconnectSheet{"Reconnect"};
inline constexpr QLatin1StringView ReconnectSeconds{
    "The number of seconds until it tries connection again."};
inline constexpr QLatin1StringView ReconnectUnit{"sec"};
inline constexpr QLatin1StringView ReconnectNote{
    "If you want to enable this function, check 'Reconnect' of \n"
    "main form. \n"
    "It is better to also specify 'Link check', in order to find \n"
    "disconnect immediately.\n"};
} // namespace EnvTexts
