#pragma once

// The texts of the scripts: the interpreter's messages, the script window's controls,
// the script and help menus, and the names of the script files, kept in one place.

#include <QLatin1StringView>
#include <QStringView>

namespace ScriptTexts {
// Keywords, in the order lines are tried against them.
inline constexpr QLatin1StringView Node{"node"};
inline constexpr QLatin1StringView Send{"send"};
inline constexpr QLatin1StringView Until{"until"};
inline constexpr QLatin1StringView Rem{"rem"};
inline constexpr QLatin1StringView Wait{"wait"};

// Each message is followed by the offending line, except CantOpen (the file name).
inline constexpr QLatin1StringView CantOpen{"Can't open script file "};
inline constexpr QLatin1StringView ScriptError{"script error in > "};
inline constexpr QLatin1StringView NodeCountError{"node parameter counts error in > "};
inline constexpr QLatin1StringView NodeNotNumeric{"node no. is not numeric in > "};
inline constexpr QLatin1StringView NodeOutOfRange{"node no. is out of range in > "};
inline constexpr QLatin1StringView SendTooFew{"Too few parameter(s) in command 'send' > "};
inline constexpr QLatin1StringView UntilTooFew{"Too few parameter(s) in command 'until' > "};
inline constexpr QLatin1StringView WaitTooFew{"Too few parameter in command 'wait' > "};
inline constexpr QLatin1StringView WaitTooMany{"Too many parameters in command 'wait' > "};
inline constexpr QLatin1StringView WaitNotNumeric{
    "Parameter should be numeric (command 'wait') > "};

// The script window.
inline constexpr QLatin1StringView WindowCaption{"Script"};
inline constexpr QLatin1StringView AbortButton{"Abort"};
inline constexpr QLatin1StringView AbortHint{"Abort script"};

// Script files "script1.txt" to "script12.txt".
inline constexpr QLatin1StringView FilePrefix{"script"};
inline constexpr QLatin1StringView FileSuffix{".txt"};
inline constexpr QLatin1StringView Editor{"xdg-open"};
// Followed by the script's path.
inline constexpr QLatin1StringView NoEditor{
    "No text editor could be opened. Edit the script with your text editor: "};

// Menus: "F-1" to "F-12" and "Edit F-1" to "Edit F-12".
inline constexpr QLatin1StringView ScriptMenu{"&Script "};
inline constexpr QLatin1StringView KeyItemPrefix{"F-"};
inline constexpr QLatin1StringView EditScriptMenu{"Edit Script"};
inline constexpr QLatin1StringView EditItemPrefix{"Edit F-"};

// Help.
inline constexpr QLatin1StringView HelpMenu{"&Help"};
inline constexpr QLatin1StringView HelpItem{"Help"};
inline constexpr QLatin1StringView ScriptHelpItem{"Script Help"};
inline constexpr QLatin1StringView HelpButton{"Help"};
inline constexpr QLatin1StringView HelpCaption{"Help"};
inline constexpr QLatin1StringView ScriptHelpCaption{"Script Help "};

// The help window; %1 is the folder that holds the scripts, %2 the settings folder.
inline constexpr QStringView HelpText{uR"(Kestrel - a telnet client for DX packet clusters

-- Key asign --
PageUp          opens the back-scroll view, then scrolls it up by half a page
PageDown        scrolls the back-scroll view down by half a page
Up / Down       move the back-scroll view by one line
Ctrl + Up       makes the back-scroll view smaller
Ctrl + Down     makes the back-scroll view larger
F1 .. F12       run the script of that key (script1.txt .. script12.txt)
Esc             closes the back-scroll view

-- Mouse operation --
A double click on the terminal opens or closes the back-scroll view.
The mouse wheel recalls the lines sent before while the pointer is over the
send-text box, and scrolls the terminal anywhere else.

-- Rs232ｃ link function --
The session can be relayed to another PC through a serial port. Use a crossed
(null-modem) cable. No character-code conversion is done, and no modem lines
are watched.

-- Files --
Kestrel.ini       the settings, in %2
KestrelKey.txt    the lines sent before, in %2
script1.txt .. script12.txt
                  the scripts of F1 .. F12, in %1
Kestrel.Buf       the last 5000 lines of the terminal, in %2; with one file
                  per node, each is named after the node's address
                  (for example dxc.example.org.buf)
Nothing else is stored anywhere.

-- About icon --
The kestrel is a small falcon that hovers in the wind before it strikes.
)"};

// The script examples; the calls and passwords are made-up.
inline constexpr QStringView ScriptHelpText{uR"(-- Login example 1 --
rem login to node 1
node 1
until login:
send XX1AA
until >

-- Login example 2 (with a password) --
rem login to node 2
node 2
until login:
send XX1AA
until Password:
send secret123
until >

-- Login example 3 (with pauses) --
rem login to node 3
node 3
until call:
wait 1000
send XX1AA-2
until password:
wait 1000
send letmein
until dxspider >

-- Key macro example --
rem show the last 20 spots
send sh/dx 20

-- Notes --
node n    connects to node n (1 to 12) of the connect dialog.
until s   waits until the text s is received. Capital and small
          letters are different.
wait ms   waits ms milliseconds: 1000 is one second.
send s    sends s to the node as if typed.
rem       a comment.
A script saved as script1.txt runs when F1 is pressed.
The script files are in %1
)"};
} // namespace ScriptTexts
