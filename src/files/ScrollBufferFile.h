#pragma once

// The scroll-buffer file: the terminal's 5000 lines kept from one connection to the
// next. The file is a 640016-byte image of the ring: the line count 5000, the index of
// the line under construction, 8 reserved bytes (all 32-bit little-endian), then the
// 5000 slots of 128 bytes in slot order. SCROLL_FILE_SELECT chooses one file for every
// node, one per node, or none; the files live in the per-user settings folder.
//
// The session saves the file when a connection ends, and loads it when a connection
// comes up unless the terminal already holds that file's lines (a reconnect to the same
// file keeps what the terminal showed in between); loading another node's file, or
// failing to, never leaves one node's lines to be saved into another node's file. What
// goes wrong is posted to the session's messages, never shown from inside the handler.
// GUI thread only.

#include "base/SessionHooks.h"

#include <QObject>
#include <QString>

#include <functional>

class OperatorMessages;
class ScreenBuffer;

// The values of SCROLL_FILE_SELECT.
enum ScrollFileSelect : int { FixedFile = 0, FilePerNode = 1, NoFile = 2 };

enum class ScrollFileResult { Done, Missing, BadHeader, Cut, NotCreated, NotWritten };

// Reads the whole file and fills the ring only when all of it is good: a file that is
// missing, has a bad header, or is cut short leaves the buffer as it was. Bytes after the
// 5000 records are ignored.
ScrollFileResult LoadBuffer(ScreenBuffer& screen, const QString& path);
// The same for the file's bytes, read already.
ScrollFileResult LoadBufferBytes(ScreenBuffer& screen, QByteArrayView bytes);
// Replaces the file whole or not at all.
ScrollFileResult SaveBuffer(const ScreenBuffer& screen, const QString& path);

class ScrollBufferFile : public QObject, public ScrollBufferHook {
public:
    // Gives SCROLL_FILE_SELECT as the environment dialog has it now.
    using SelectSource = std::function<int()>;

    ScrollBufferFile(ScreenBuffer& screen, OperatorMessages& messages, SelectSource select,
                     QString folder, QObject* parent = nullptr);

    // "Kestrel.Buf" or "<host>.buf" in the folder, empty when no file is used; any other
    // setting keeps the path given last.
    QString ScrollBufferPath(const QString& host);

    // Loads the file, then sets the old lines apart with three empty lines; nothing when
    // the terminal already holds the file's lines.
    void restore(const QString& host) override;
    void save(const QString& host) override;

private:
    QString fileInUse(const QString& host);
    void report(ScrollFileResult result, const QString& path);

    ScreenBuffer& m_screen;
    OperatorMessages& m_messages;
    SelectSource m_select;
    QString m_folder;
    QString m_path;
    QString m_heldFile; // the file whose lines the terminal holds, empty before the first
};
