#pragma once

// Keeps a one-line field to one line however text arrives (typed, pasted, dropped or
// set): the field holds the text up to its first line break, and, with a filter, only
// the characters the filter accepts. A pasted "sh/dx\nbye" must never send two commands.

class QLineEdit;
class QChar;

void keepSingleLine(QLineEdit* field, bool (*accepts)(QChar) = nullptr);
