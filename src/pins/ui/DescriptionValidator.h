#pragma once

#include <QValidator>

#include <functional>
#include <optional>
#include <string>

namespace vexa {

// Refuses, as they are typed or pasted, the characters a description cannot keep in the data
// file: double quotes, line breaks and characters beyond Latin-1. The other characters of a
// paste are kept. A text equal to a keyword of the files ("End", "Dev", ...) may stand while it
// is typed (on the way to "Endstation"), but it is never stored, and when the field is left with
// it the field shows the stored text again.
class DescriptionValidator : public QValidator {
    Q_OBJECT
public:
    DescriptionValidator(QObject* parent, std::function<QString()> storedText)
        : QValidator(parent), storedText_(std::move(storedText)) {}
    State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

private:
    std::function<QString()> storedText_;
};

// Description text as the image holds it (Latin-1 bytes) and back.
std::string ImageText(const QString& text);
QString ShownText(const std::string& text);
// The text as the image holds it, or nothing when it is a keyword of the files.
std::optional<std::string> StorableText(const QString& text);

} // namespace vexa
