#include "ArchivePlan.h"

#include "BCFLib/ByteSource.h"

#include <algorithm>

namespace BCFLib {

namespace {

// Longest name of one path part that common file systems accept.
const int sMaxPartLength = 255;

bool isUnsafeCharacter(QChar c)
{
    const ushort u = c.unicode();
    return u < 0x20 || u == 0x7f || u == '\\' || u == ':' || u == '*' || u == '?' || u == '"' || u == '<'
           || u == '>' || u == '|';
}

QString parentOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString join(const QString& folder, const QString& name)
{
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

// Names that BCF tools read as BCF documents; a referenced file never takes one.
bool hasBcfDocumentName(const QString& path)
{
    const QString name = path.section(QLatin1Char('/'), -1).toLower();
    return name.endsWith(QLatin1String(".bcf")) || name.endsWith(QLatin1String(".bcfv"))
           || name.endsWith(QLatin1String(".bcfp")) || name == QLatin1String("bcf.version");
}

} // namespace

bool ArchivePlan::isUsablePath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")
            || part.size() > sMaxPartLength || part.endsWith(QLatin1Char(' ')) || part.endsWith(QLatin1Char('.')))
            return false;
        if (std::any_of(part.begin(), part.end(), isUnsafeCharacter))
            return false;
    }
    return true;
}

QString ArchivePlan::usableFileName(const QString& name)
{
    const QString last = name.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    QString base;
    base.reserve(last.size());
    for (const QChar c : last) {
        if (!isUnsafeCharacter(c))
            base.append(c);
    }
    base = base.trimmed();
    while (base.endsWith(QLatin1Char('.')))
        base.chop(1);
    while (base.startsWith(QLatin1Char('.')))
        base.remove(0, 1);
    return base.left(sMaxPartLength - 10); // room for a "-n" counter
}

bool ArchivePlan::isFree(const QString& path) const
{
    const QString key = path.toLower();
    if (m_files.contains(key) || m_folders.contains(key))
        return false;
    for (QString folder = parentOf(key); !folder.isEmpty(); folder = parentOf(folder)) {
        if (m_files.contains(folder))
            return false;
    }
    return true;
}

int ArchivePlan::append(const QString& path, bool compress)
{
    Entry entry;
    entry.path = path;
    entry.compress = compress;
    entry.group = m_group;
    m_entries.push_back(entry);
    return int(m_entries.size()) - 1;
}

bool ArchivePlan::addDirectory(const QString& path)
{
    QString folder = path;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    if (!isUsablePath(folder))
        return false;
    const QString key = folder.toLower();
    if (m_folders.contains(key))
        return true;
    if (!isFree(folder))
        return false;
    for (QString part = key; !part.isEmpty(); part = parentOf(part))
        m_folders.insert(part);
    append(folder + QLatin1Char('/'), false);
    return true;
}

int ArchivePlan::addFile(const QString& path, bool compress)
{
    if (!isUsablePath(path) || !isFree(path))
        return -1;
    const QString key = path.toLower();
    for (QString folder = parentOf(key); !folder.isEmpty(); folder = parentOf(folder))
        m_folders.insert(folder);
    const int index = append(path, compress);
    m_files.insert(key, index);
    return index;
}

void ArchivePlan::setData(int index, const QByteArray& data)
{
    m_entries[size_t(index)].data = data;
}

void ArchivePlan::setSource(int index, std::shared_ptr<const ByteSource> source)
{
    m_entries[size_t(index)].source = std::move(source);
}

qint64 ArchivePlan::Entry::size() const
{
    return source ? source->size() : data.size();
}

QString ArchivePlan::placeReferencedFile(const QString& wanted, const QString& folder, const QString& fallbackName,
                                         const QByteArray& data, bool compress)
{
    if (isUsablePath(wanted) && !hasBcfDocumentName(wanted)) {
        const auto existing = m_files.constFind(wanted.toLower());
        if (existing != m_files.constEnd()) {
            const Entry& entry = m_entries[size_t(existing.value())];
            if (entry.referenced && entry.data == data)
                return entry.path;
        } else {
            const int index = addFile(wanted, compress);
            if (index >= 0) {
                setData(index, data);
                m_entries[size_t(index)].referenced = true;
                return wanted;
            }
        }
    }

    QString name = usableFileName(fallbackName);
    if (name.isEmpty() || !isUsablePath(join(folder, name)))
        name = QStringLiteral("file");
    if (hasBcfDocumentName(name))
        name += QStringLiteral(".bin");
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString suffix = dot > 0 ? name.mid(dot) : QString();
    QString path = join(folder, name);
    for (int counter = 2; !isFree(path); ++counter)
        path = join(folder, stem + QLatin1Char('-') + QString::number(counter) + suffix);
    const int index = addFile(path, compress);
    setData(index, data);
    m_entries[size_t(index)].referenced = true;
    return path;
}

std::vector<const ArchivePlan::Entry*> ArchivePlan::orderedEntries() const
{
    std::vector<const Entry*> ordered;
    ordered.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        ordered.push_back(&entry);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const Entry* a, const Entry* b) { return a->group < b->group; });
    return ordered;
}

qint64 ArchivePlan::totalBytes() const
{
    qint64 total = 0;
    for (const Entry& entry : m_entries)
        total += entry.size();
    return total;
}

bool ArchivePlan::hasNonAsciiPaths() const
{
    for (const Entry& entry : m_entries) {
        for (const QChar c : entry.path) {
            if (c.unicode() > 0x7f)
                return true;
        }
    }
    return false;
}

} // namespace BCFLib
