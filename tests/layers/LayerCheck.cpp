// The layers of src/ depend one way: a file includes its own folder or one of a lower rank; no units
// (a header with its source) include each other round; each layer's library links only lower ones.

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QtTest>
#include <algorithm>

namespace {

// Bottom up. A folder of src/ not named here fails the test: give it a rank.
const QHash<QString, int> Ranks{
    {"core", 0},    {"data", 1},    {"stores", 2},      {"print", 2},   {"kit", 2},
    {"families", 3}, {"billing", 4}, {"stock", 4}, {"expenditure", 4}, {"masters", 4}, {"reports", 4},
    {"shell", 5},   {".", 6},  // src/main.cpp
};

struct Include {
    QString file;  // as src/<folder>/<name>
    int line;
    QString header;  // <folder>/<name>
    QString written;  // as the include writes it
};

QString unitOf(const QString& path)
{
    return path.left(path.lastIndexOf('.'));
}

QString folderOf(const QString& path)
{
    return path.contains('/') ? path.section('/', 0, 0) : QStringLiteral(".");
}

// Every include of a header of src/, by the folder-qualified name it is written with.
QVector<Include> projectIncludes(const QString& src)
{
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([^\"]+)\""));
    QVector<Include> all;
    QDirIterator files(src, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            qFatal("cannot read %s", qPrintable(path));
        int number = 0;
        while (!file.atEnd()) {
            ++number;
            const auto match = include.match(QString::fromUtf8(file.readLine()));
            if (!match.hasMatch())
                continue;
            // One written from the file's own folder ("../shell/X.h", "X.h") is kept under the name
            // it resolves to, with its folder dropped from what was written: the check below tells it.
            const QString written = match.captured(1);
            QString header = written;
            if (!QFile::exists(src + '/' + written)) {
                const QString resolved = QFileInfo(QFileInfo(path).dir(), written).canonicalFilePath();
                if (resolved.isEmpty() || !resolved.startsWith(QDir(src).canonicalPath() + '/'))
                    continue;  // a header of Qt, the system or the build
                header = QDir(QDir(src).canonicalPath()).relativeFilePath(resolved);
            }
            all.append({QDir(src).relativeFilePath(path), number, header, written});
        }
    }
    return all;
}

// Tarjan's strongly connected components of more than one unit.
QStringList cycles(const QHash<QString, QSet<QString>>& uses)
{
    QHash<QString, int> index, low;
    QStringList stack, found;
    int counter = 0;
    std::function<void(const QString&)> visit = [&](const QString& unit) {
        index[unit] = low[unit] = counter++;
        stack.append(unit);
        for (const QString& used : uses.value(unit)) {
            if (!index.contains(used)) {
                visit(used);
                low[unit] = std::min(low[unit], low[used]);
            } else if (stack.contains(used)) {
                low[unit] = std::min(low[unit], index[used]);
            }
        }
        if (low[unit] != index[unit])
            return;
        QStringList component;
        QString member;
        do {
            member = stack.takeLast();
            component.prepend(member);
        } while (member != unit);
        if (component.size() > 1)
            found << component.join(" -> ");
    };
    for (auto it = uses.cbegin(); it != uses.cend(); ++it)
        if (!index.contains(it.key()))
            visit(it.key());
    return found;
}

}  // namespace

class LayerCheck : public QObject {
    Q_OBJECT

    const QString m_src = QStringLiteral(BILL_SOURCE_DIR);
    const QVector<Include> m_includes = projectIncludes(m_src);

private slots:
    void everyIncludePointsDown()
    {
        QVERIFY(m_includes.size() > 100);
        QStringList wrong;
        for (const Include& include : m_includes) {
            const QString from = folderOf(include.file), to = folderOf(include.header);
            if (!Ranks.contains(from) || !Ranks.contains(to))
                wrong << QString("src/%1 or %2 is in a folder without a rank").arg(include.file, include.header);
            else if (from != to && Ranks[to] >= Ranks[from])
                wrong << QString("src/%1:%2 includes %3").arg(include.file).arg(include.line).arg(include.header);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }

    // Includes are written from src/, as the checks above read them.
    void everyIncludeIsFolderQualified()
    {
        QStringList relative;
        for (const Include& include : m_includes)
            if (include.written != include.header)
                relative << QString("src/%1:%2 includes \"%3\": write \"%4\"").arg(include.file).arg(include.line).arg(include.written, include.header);
        QVERIFY2(relative.isEmpty(), qPrintable(relative.join('\n')));
    }

    void noUnitsIncludeEachOtherRound()
    {
        QHash<QString, QSet<QString>> uses;
        for (const Include& include : m_includes)
            if (unitOf(include.header) != unitOf(include.file))
                uses[unitOf(include.file)].insert(unitOf(include.header));
        const QStringList found = cycles(uses);
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }

    // build/layer-links.txt: "folder=library:linked,linked,..." per layer.
    void everyLayerLinksOnlyLayersBelow()
    {
        QFile file(QStringLiteral(BILL_LAYER_LINKS));
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), BILL_LAYER_LINKS);
        QHash<QString, QString> folderOfLibrary;
        QHash<QString, QStringList> linked;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
            const QString folder = line.section('=', 0, 0), library = line.section('=', 1).section(':', 0, 0);
            folderOfLibrary[library] = folder;
            linked[folder] = line.section(':', 1).split(',', Qt::SkipEmptyParts);
        }
        QStringList wrong;
        for (auto rank = Ranks.cbegin(); rank != Ranks.cend(); ++rank)
            if (rank.key() != "." && !linked.contains(rank.key()))
                wrong << "no library for src/" + rank.key();
        for (auto it = linked.cbegin(); it != linked.cend(); ++it)
            for (const QString& library : it.value())
                if (folderOfLibrary.contains(library) && Ranks.value(folderOfLibrary[library]) >= Ranks.value(it.key()))
                    wrong << QString("%1 links %2").arg(it.key(), library);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }
};

QTEST_GUILESS_MAIN(LayerCheck)
#include "LayerCheck.moc"
