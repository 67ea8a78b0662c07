#include "data/DataSource.h"

#include <QFileInfo>
#include <algorithm>
#include <dlfcn.h>
#include <odbcinst.h>

// Whether a driver's libraries load, as the driver manager loads them.
namespace datasource {

QStringList librariesOf(const QString& driver)
{
    QStringList libraries;
    for (const char* key : {"Driver", "Driver64"}) {
        char library[4096] = {};
        const int length = SQLGetPrivateProfileString(driver.toLocal8Bit().constData(), key, "", library,
                                                      sizeof library, "odbcinst.ini");
        if (length > 0)
            libraries << QString::fromLocal8Bit(library, length);
    }
    return libraries;
}

namespace {

// The libraries a driver value loads: itself when it is a path, else its
// entry's.
QStringList librariesLoadedBy(const QString& driver)
{
    return QFileInfo(driver).isAbsolute() ? QStringList{driver} : librariesOf(driver);
}

struct Loading {
    bool found = false;  // a file the loader reached
    QString failure;     // why it did not load; empty when it loads
    bool loads() const { return found && failure.isEmpty(); }
};

// Empty when the system's loader loads the library, else its reason.
QString systemLoadFailure(const QByteArray& name)
{
    if (void* const loaded = dlopen(name.constData(), RTLD_LAZY | RTLD_LOCAL)) {
        dlclose(loaded);
        return {};
    }
    const char* const reason = dlerror();
    return reason ? QString::fromLocal8Bit(reason) : QStringLiteral("not loaded");
}

// The driver manager loads a driver through libltdl, which it links: asked
// the same way, a bare name is found where the manager finds it (ltdl's
// own folders, /usr/local/lib among them, and LTDL_LIBRARY_PATH too), and a
// file that is there but cannot load fails as it would fail there. aFile:
// the library is a path to a file known to be there.
Loading ltdlLoad(const QString& library, bool aFile = false)
{
    const QByteArray name = library.toLocal8Bit();
    void* const ltdl = dlopen("libltdl.so.7", RTLD_LAZY | RTLD_NOLOAD);
    const auto symbol = [ltdl](const char* function) { return ltdl ? dlsym(ltdl, function) : nullptr; };
    const auto init = reinterpret_cast<int (*)()>(symbol("lt_dlinit"));
    const auto open = reinterpret_cast<void* (*)(const char*)>(symbol("lt_dlopen"));
    const auto close = reinterpret_cast<int (*)(void*)>(symbol("lt_dlclose"));
    const auto exit = reinterpret_cast<int (*)()>(symbol("lt_dlexit"));
    const auto error = reinterpret_cast<const char* (*)()>(symbol("lt_dlerror"));
    Loading loading;
    if (init && open && close && exit && error && init() == 0) {
        error();  // an earlier call's
        if (void* const loaded = open(name.constData())) {
            loading.found = true;
            close(loaded);
        } else {
            const QString reason = QString::fromLocal8Bit(error());
            loading.found = aFile || (!reason.isEmpty() && reason != QLatin1String("file not found"));
            // ltdl tells a file it found but could not load as not found:
            // the system's loader says why.
            const QString why = aFile ? systemLoadFailure(name) : QString();
            loading.failure = !why.isEmpty() ? why : !reason.isEmpty() ? reason : QStringLiteral("not loaded");
        }
        exit();
    } else {
        loading.failure = systemLoadFailure(name);
        loading.found = aFile || loading.failure.isEmpty();
    }
    if (ltdl)
        dlclose(ltdl);
    return loading;
}

// How the driver manager fares with the library: a path as it stands; a
// bare name in the odbc folder beside the manager's own library, or as the
// loader finds it. A relative path with a folder would be looked for from
// wherever the program was started.
Loading managerLoad(const QString& library)
{
    if (library.contains(QLatin1Char('/'))) {
        if (!QFileInfo(library).isAbsolute() || !QFileInfo(library).isFile())
            return {};
        return ltdlLoad(library, true);
    }
    Dl_info manager{};
    if (dladdr(reinterpret_cast<void*>(&SQLGetPrivateProfileString), &manager) != 0 && manager.dli_fname) {
        const QString inOdbcFolder =
            QFileInfo(QString::fromLocal8Bit(manager.dli_fname)).absolutePath() + QStringLiteral("/odbc/") + library;
        if (QFileInfo(inOdbcFolder).isFile()) {
            const Loading there = ltdlLoad(inOdbcFolder, true);
            if (there.loads())
                return there;
            const Loading elsewhere = ltdlLoad(library);
            return elsewhere.loads() ? elsewhere : there;
        }
    }
    return ltdlLoad(library);
}

bool managerLoads(const QString& library)
{
    return managerLoad(library).loads();
}

}  // namespace

bool driverInstalled(const QString& driver)
{
    // An entry outlives its package when others count on it.
    const QStringList libraries = librariesLoadedBy(driver);
    return std::any_of(libraries.begin(), libraries.end(), managerLoads);
}

bool driverFound(const QString& driver)
{
    const QStringList libraries = librariesLoadedBy(driver);
    return !libraries.isEmpty() && std::all_of(libraries.begin(), libraries.end(), managerLoads);
}

QString driverLoadFailure(const QString& driver)
{
    for (const QString& library : librariesLoadedBy(driver))
        if (const Loading loading = managerLoad(library); loading.found && !loading.loads())
            return loading.failure;
    return {};
}

}  // namespace datasource
