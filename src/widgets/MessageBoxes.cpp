#include "widgets/MessageBoxes.h"

#include "widgets/WidgetTexts.h"

#include <QMessageBox>

namespace {
const QString boxCaption = WidgetTexts::BoxCaption;
}

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, boxCaption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, boxCaption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    return box.exec() == QMessageBox::Yes;
}
