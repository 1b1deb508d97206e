#pragma once

#include <QValidator>

namespace veskplan {

// Holds a line edit to a rule for each character and a longest length, so that typed and
// pasted text meet the same rules. The character rule may refuse a character (set it to 0) or
// replace it; a text with a refused character, or longer than the limit, is refused whole, so a
// paste never arrives cut short.
class TextRuleValidator : public QValidator {
    Q_OBJECT

public:
    using CharacterRule = void (*)(char16_t& character);
    static constexpr int kNoLimit = -1;

    TextRuleValidator(CharacterRule rule, int maxLength, QObject* parent);

    State validate(QString& input, int& position) const override;

private:
    CharacterRule rule_;
    int maxLength_;
};

}  // namespace veskplan
