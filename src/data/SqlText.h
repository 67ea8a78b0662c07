#pragma once

#include <QDate>
#include <QString>

// Values written into SQL text. Every text value goes through sqlText().
namespace sql {

// 'text' with each embedded apostrophe doubled, so no text can end the literal early.
QString text(const QString& value);

// Plain decimal text with a '.' point and up to 15 significant digits.
QString number(double value);
QString number(int value);

// #yyyy-MM-dd#: the date literal the screens write; the dialect turns it into
// the engine's own form. ISO is the short date text because its order of day
// and month cannot be misread.
QString date(const QDate& value);

}  // namespace sql
