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
    // A write the disk took in part sets no system error; Qt then says "Unknown error".
    const bool partWritten = m_shortWrite
        || (m_file.error() == QFileDevice::WriteError && m_file.errorString() == QLatin1String("Unknown error"));
    return partWritten ? QStringLiteral("the disk took only part of it (is it full?)") : m_file.errorString();
}

QString fileBehindLink(const QString& path)
{
    QString file = path;
    // A link to a link is followed to its end, as the system follows it; a loop is not.
    for (int hops = 0; hops < 40 && QFileInfo(file).isSymLink(); ++hops) {
        const QString target = QFileInfo(file).symLinkTarget();  // absolute, though it may not exist yet
        if (target.isEmpty())
            break;
        file = target;
    }
    return file;
}
