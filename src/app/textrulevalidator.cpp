#include "app/textrulevalidator.h"

namespace veskplan {

TextRuleValidator::TextRuleValidator(CharacterRule rule, int maxLength, QObject* parent)
    : QValidator(parent), rule_(rule), maxLength_(maxLength) {}

QValidator::State TextRuleValidator::validate(QString& input, int& /*position*/) const {
    if (maxLength_ != kNoLimit && input.size() > maxLength_) {
        return Invalid;
    }
    if (rule_ == nullptr) {
        return Acceptable;
    }
    for (QChar& character : input) {
        char16_t code = character.unicode();
        rule_(code);
        if (code == 0) {
            return Invalid;
        }
        character = QChar(code);
    }
    return Acceptable;
}

}  // namespace veskplan
