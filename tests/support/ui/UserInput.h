#pragma once

#include <QLineEdit>
#include <QString>
#include <QTest>

namespace vexa::test {

// Replaces a field's text by typing, key by key, as a user does (an edit of the field).
inline void TypeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Types the text and presses Enter.
inline void TypeAndEnter(QLineEdit* field, const QString& text) {
    TypeInto(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

} // namespace vexa::test
