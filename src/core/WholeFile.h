#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A file put in place whole or not at all, through QSaveFile, where a disk
// that takes only part of the text is a failure: QSaveFile itself takes a
// short write as written, and commits a file whose last flush failed (a
// full disk, a size limit), leaving a cut off file in place of a whole one.
class WholeFile {
public:
    explicit WholeFile(const QString& name) : m_file(name) {}

    bool open() { return m_file.open(QIODevice::WriteOnly); }
    // The file's permissions from the start, not only once it is in place.
    bool setPermissions(QFileDevice::Permissions permissions) { return m_file.setPermissions(permissions); }
    // False when the file did not take every byte.
    bool write(const QByteArray& bytes);
    // Flushes, then puts the file in place; false when either fails, and
    // then nothing is put in place.
    bool commit();
    // Nothing is put in place.
    void cancel() { m_file.cancelWriting(); }

    // Why the file could not be written: the system's words, or that the
    // disk took only part of it.
    QString errorString() const;

private:
    QSaveFile m_file;
    bool m_shortWrite = false;
};

// The file a new file named `path` is put at: where a symbolic link there
// points (through every link of a chain), so that the links stay and what
// they name is renewed.
QString fileBehindLink(const QString& path);
