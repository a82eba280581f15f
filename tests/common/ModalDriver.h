#pragma once

// Answers the modal dialogs a window opens during a test: each time a modal dialog
// comes up, the next step is run on it (fill in fields, press a button). Message boxes
// are recorded by their text. The steps run from a timer inside the dialog's own event
// loop, as an operator would act.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget* dialog)>;

    ModalDriver() {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
        m_timer.start();
    }

    void then(Step step) { m_steps.push_back(std::move(step)); }

    // Presses the message box's button of this role and notes its text.
    void thenAnswerMessage(QMessageBox::StandardButton button = QMessageBox::Ok) {
        then([this, button](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) {
                m_unexpected.append(QString::fromLatin1(dialog->metaObject()->className()));
                return;
            }
            m_messages.append(box->text());
            box->button(button)->click();
        });
    }

    // Closes the dialog with this result.
    void thenFinish(int result) {
        then([result](QWidget* dialog) { static_cast<QDialog*>(dialog)->done(result); });
    }

    bool allStepsTaken() const { return m_steps.empty(); }
    const QStringList& messages() const { return m_messages; }
    const QStringList& unexpected() const { return m_unexpected; }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            m_lastHandled = nullptr;
            return;
        }
        if (modal == m_lastHandled)
            return;
        if (m_steps.empty()) {
            // Not expected: noted for the test to fail on, and closed so it cannot hang.
            m_unexpected.append(QString::fromLatin1(modal->metaObject()->className()));
            modal->close();
            return;
        }
        m_lastHandled = modal;
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        step(modal);
        if (QTest::currentTestFailed() && m_lastHandled)
            m_lastHandled->close(); // a failed step must not leave the test waiting on it
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_lastHandled;
    QStringList m_messages;
    QStringList m_unexpected;
};
