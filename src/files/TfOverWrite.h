#pragma once

// The question when the chosen log file is already there: add to it, overwrite it, or
// give up. Any other way of closing it gives up too.

#include "files/LogToggle.h"

#include <QDialog>

class TfOverWrite : public QDialog {
    Q_OBJECT

public:
    explicit TfOverWrite(QWidget* parent = nullptr);

    // fileName is shown without its folder.
    ExistingLogChoice ask(const QString& fileName);

private:
    enum Result { Cancelled = QDialog::Rejected, Added = 2, OverWritten = 3 };
};
