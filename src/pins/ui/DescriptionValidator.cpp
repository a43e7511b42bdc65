#include "pins/ui/DescriptionValidator.h"

#include "files/FileKeywords.h"
#include "pins/PinPageRules.h"

namespace vexa {

QValidator::State DescriptionValidator::validate(QString& input, int& position) const {
    // Takes the refused characters out of what was typed or pasted; the rest stays.
    QString kept;
    kept.reserve(input.size());
    int keptBeforeCursor = position;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (IsStorableTextCharacter(input[i].unicode()))
            kept.append(input[i]);
        else if (i < position)
            --keptBeforeCursor;
    }
    input = kept;
    position = keptBeforeCursor;
    return StorableText(input) ? Acceptable : Intermediate;
}

void DescriptionValidator::fixup(QString& input) const {
    if (!StorableText(input) && storedText_)
        input = storedText_();
}

std::string ImageText(const QString& text) {
    return text.toLatin1().toStdString();
}

QString ShownText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> StorableText(const QString& text) {
    std::string stored = ImageText(text);
    if (IsFileKeyword(stored))
        return std::nullopt;
    return stored;
}

} // namespace vexa
