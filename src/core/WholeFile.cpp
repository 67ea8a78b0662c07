#include "core/WholeFile.h"

#include <QFileInfo>

bool WholeFile::write(const QByteArray& bytes)
{
    const qint64 written = m_file.write(bytes);
    m_shortWrite = m_shortWrite || (written >= 0 && written < bytes.size());
    return written == bytes.size();
}

bool WholeFile::commit()
{
    // Not committed, the file is removed when closed.
    return !m_shortWrite && m_file.flush() && m_file.commit();
}

QString WholeFile::errorString() const
{
    return m_file.error() == QFileDevice::NoError && m_shortWrite
        ? QStringLiteral("the disk took only part of it (is it full?)")
        : m_file.errorString();
}

QString fileBehindLink(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isSymLink())
        return path;
    const QString target = file.symLinkTarget();  // absolute, though the link may not exist yet
    return target.isEmpty() ? path : target;
}
