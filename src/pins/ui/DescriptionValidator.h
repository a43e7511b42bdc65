#pragma once

#include <QValidator>

namespace vexa {

// Refuses, as they are typed or pasted, the characters a description cannot keep in the data
// file: double quotes, line breaks and characters beyond Latin-1. The other characters of a
// paste are kept.
class DescriptionValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// Description text as the image holds it (Latin-1 bytes) and back.
std::string ImageText(const QString& text);
QString ShownText(const std::string& text);

} // namespace vexa
