#pragma once

#include <optional>
#include <string>

class QCheckBox;
class QWidget;

namespace vexa {

// How the views show a value that the tool does not know or that the wire cannot carry; one
// place, so every page looks the same.

// A flag that may be unknown: checked or unchecked when known, partially checked (grey) while
// unknown. A click on a grey box checks it (the flag becomes known).
void ShowKnownCheck(QCheckBox* box, std::optional<bool> value);

// Marks a field whose value the wire cannot carry with a red tint and a tooltip that says what
// the wire carries; an empty problem removes the mark and gives the field its own tooltip back.
void MarkUnsendable(QWidget* field, const std::string& problem);

} // namespace vexa
