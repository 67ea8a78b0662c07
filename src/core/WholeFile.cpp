#include "core/WholeFile.h"

namespace wholefile {

bool write(QSaveFile& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size();
}

bool commit(QSaveFile& file)
{
    // Not committed, the file is removed when closed; its errorString() tells why.
    return file.flush() && file.commit();
}

}  // namespace wholefile
