#include "widgets/SingleLineField.h"

#include "base/LineText.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// A validator may rewrite what was entered: the field then holds the rewritten text.
class SingleLineValidator : public QValidator {
public:
    SingleLineValidator(bool (*accepts)(QChar), QObject* parent)
        : QValidator(parent)
        , m_accepts(accepts) {}

    State validate(QString& input, int& position) const override {
        const QString kept = LineText::singleLine(input, m_accepts);
        if (kept != input) {
            input = kept;
            position = int(std::min<qsizetype>(position, kept.size()));
        }
        return Acceptable;
    }

private:
    bool (*m_accepts)(QChar);
};

} // namespace

void keepSingleLine(QLineEdit* field, bool (*accepts)(QChar)) {
    field->setValidator(new SingleLineValidator(accepts, field));
}
