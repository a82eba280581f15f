#include "files/TfOverWrite.h"

#include "files/FilesTexts.h"
#include "widgets/Accessibility.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfOverWrite::TfOverWrite(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("fOverWrite"));
    setWindowTitle(QStringLiteral(" "));
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label1"));
    auto* buttons = new QHBoxLayout;
    const auto addButton = [this, buttons](const char* name, QLatin1StringView caption,
                                           int result) {
        auto* button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        setCaption(button, caption);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        buttons->addWidget(button);
    };
    addButton("bAdd", FilesTexts::Add, Added);
    addButton("bOverWrite", FilesTexts::OverWrite, OverWritten);
    addButton("bCancel", FilesTexts::Cancel, Cancelled);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed border
    layout->addWidget(label);
    layout->addLayout(buttons);
}

ExistingLogChoice TfOverWrite::ask(const QString& fileName) {
    findChild<QLabel*>(QStringLiteral("Label1"))->setText(fileName + FilesTexts::AlreadyExists);
    switch (exec()) {
    case Added:
        return ExistingLogChoice::Add;
    case OverWritten:
        return ExistingLogChoice::OverWrite;
    default:
        return ExistingLogChoice::Cancel;
    }
}
