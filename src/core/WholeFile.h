#pragma once

#include <QByteArray>
#include <QSaveFile>

// Writing a QSaveFile so that a disk which takes only part of the text is a
// failure: QSaveFile itself takes the buffered part as written, and commits
// a file whose last flush failed (a full disk, a size limit), leaving a cut
// off file in place of a whole one.
namespace wholefile {

// False when the file did not take every byte.
bool write(QSaveFile& file, const QByteArray& bytes);

// Flushes, then puts the file in place; false when either fails, and then
// nothing is put in place.
bool commit(QSaveFile& file);

}  // namespace wholefile
