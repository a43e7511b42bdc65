#include "pins/ui/DescriptionValidator.h"

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
    return Acceptable;
}

std::string ImageText(const QString& text) {
    return text.toLatin1().toStdString();
}

QString ShownText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vexa
