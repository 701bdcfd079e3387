#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <QVariant>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vlm {

namespace {

const QString kOrganisation = QStringLiteral("Vellumora");
const QString kApplication = QStringLiteral("Vellumora");
// The keys sit directly under Software\Vellumora, not under an application
// subkey as QSettings' organisation/application form would put them.
const QString kRegistryPath = QStringLiteral("HKEY_CURRENT_USER\\Software\\Vellumora");
const QLatin1String kDwordPrefix("dword:");
const QLatin1String kTextPrefix("sz:");

QString fromAscii(std::string_view s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string toAscii(const QString& s)
{
    return s.toLatin1().toStdString();
}

QString encodeIni(const SettingsStore::Value& v)
{
    if (v.type == SettingsStore::Type::Integer)
        return QString::number(v.integer);
    QString text = QString::fromStdU16String(v.text);
    // Only a text that would read back in one of the marked forms needs a mark.
    if (text.startsWith(kDwordPrefix) || text.startsWith(kTextPrefix))
        text.prepend(kTextPrefix);
    return text;
}

SettingsStore::Value decodeIni(const QVariant& raw)
{
    using Type = SettingsStore::Type;
    QString s;
    if (raw.metaType().id() == QMetaType::QString) {
        s = raw.toString();
    } else if (raw.metaType().id() == QMetaType::QStringList) {
        // An unquoted comma in a hand-edited line splits the text; join it back.
        s = raw.toStringList().join(QLatin1Char(','));
    } else {
        return {Type::Unreadable, 0, {}};
    }

    if (s.startsWith(kTextPrefix))
        return {Type::Text, 0, s.mid(kTextPrefix.size()).toStdU16String()};
    if (s.startsWith(kDwordPrefix)) {
        const QString digits = s.mid(kDwordPrefix.size());
        // toUInt alone would also take blanks, a sign or "0x".
        const bool plainHex = !digits.isEmpty() && digits.size() <= 8 &&
                              std::all_of(digits.begin(), digits.end(), [](QChar c) {
                                  return c.unicode() < 128 && std::isxdigit(c.unicode());
                              });
        bool ok = false;
        const uint v = digits.toUInt(&ok, 16);
        if (!plainHex || !ok)
            return {Type::Unreadable, 0, {}};
        return {Type::Integer, static_cast<std::int32_t>(static_cast<quint32>(v)), {}};
    }
    return {Type::Text, 0, s.toStdU16String(), true};
}

SettingsStore::Value decodeNative(const QVariant& raw)
{
    using Type = SettingsStore::Type;
    switch (raw.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
        return {Type::Integer, static_cast<std::int32_t>(raw.toUInt()), {}};
    case QMetaType::QString:
        return {Type::Text, 0, raw.toString().toStdU16String()};
    default:
        return {Type::Unreadable, 0, {}};
    }
}

} // namespace

QtSettingsStore::QtSettingsStore(Backend backend, QString path) : backend_(backend), path_(std::move(path)) {}

QString QtSettingsStore::userIniPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           kOrganisation + QLatin1Char('/') + kApplication + QStringLiteral(".ini");
}

std::unique_ptr<QtSettingsStore> QtSettingsStore::openUserStore()
{
#ifdef Q_OS_WIN
    std::unique_ptr<QtSettingsStore> store(new QtSettingsStore(Backend::Registry, QString()));
    store->loadRegistry();
    return store;
#else
    return openIniFile(userIniPath());
#endif
}

std::unique_ptr<QtSettingsStore> QtSettingsStore::openIniFile(const QString& path)
{
    std::unique_ptr<QtSettingsStore> store(new QtSettingsStore(Backend::IniFile, path));
    store->loadIni();
    return store;
}

void QtSettingsStore::loadIni()
{
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink())
        return;
    if (!info.isFile() || !info.isReadable()) {
        partlyRead_ = true;
        return;
    }
    if (info.size() <= kMaxIniBytes) {
        parseIni(path_);
        return;
    }
    // Too large to be ours as a whole: the settings in its first part, up to
    // the last full line, are read from a copy.
    partlyRead_ = true;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray head = file.read(kMaxIniBytes);
    head.truncate(head.lastIndexOf('\n') + 1);
    QTemporaryFile copy;
    if (!copy.open() || copy.write(head) != head.size() || !copy.flush())
        return;
    parseIni(copy.fileName());
}

void QtSettingsStore::parseIni(const QString& path)
{
    const QSettings ini(path, QSettings::IniFormat);
    // A damaged file still yields what could be parsed; the rest keeps its
    // defaults. Values outside a group are not ours.
    const QStringList all = ini.allKeys();
    for (const QString& full : all) {
        const qsizetype slash = full.indexOf(QLatin1Char('/'));
        if (slash <= 0 || slash == full.size() - 1)
            continue;
        put(toAscii(full.left(slash)), toAscii(full.mid(slash + 1)), decodeIni(ini.value(full)));
    }
}

void QtSettingsStore::loadRegistry()
{
    QSettings reg(kRegistryPath, QSettings::NativeFormat);
    const QStringList groups = reg.childGroups();
    for (const QString& group : groups) {
        reg.beginGroup(group);
        const QStringList names = reg.childKeys();
        for (const QString& name : names)
            put(toAscii(group), toAscii(name), decodeNative(reg.value(name)));
        reg.endGroup();
    }
}

bool QtSettingsStore::commit()
{
    return backend_ == Backend::Registry ? commitRegistry() : commitIni();
}

bool QtSettingsStore::commitIni()
{
    if (partlyRead_)
        return false;
    const QFileInfo info(path_);
    const QString dir = info.absolutePath();
    if (!QDir().mkpath(dir))
        return false;

    // The new file is written completely beside the old one and then renamed
    // over it; a fresh name each time keeps QSettings' per-file cache out of it.
    QTemporaryFile staging(dir + QLatin1Char('/') + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!staging.open())
        return false;
    const QString stagingPath = staging.fileName();
    staging.close();

    bool written = false;
    {
        QSettings out(stagingPath, QSettings::IniFormat);
        for (const auto& [key, values] : keys()) {
            out.beginGroup(fromAscii(key));
            for (const auto& [name, value] : values)
                if (value.type == Type::Integer || value.type == Type::Text)
                    out.setValue(fromAscii(name), encodeIni(value));
            out.endGroup();
        }
        out.sync();
        written = out.status() == QSettings::NoError;
    }
    if (!written)
        return false;

    // rename(2) replaces the old file in one step (POSIX; Windows keeps its
    // settings in the registry and never comes here).
    if (std::rename(QFile::encodeName(stagingPath).constData(), QFile::encodeName(path_).constData()) != 0)
        return false;
    staging.setAutoRemove(false);
    return true;
}

bool QtSettingsStore::commitRegistry()
{
    QSettings reg(kRegistryPath, QSettings::NativeFormat);
    // Keys deleted from the copy must go from the registry too.
    const QStringList groups = reg.childGroups();
    for (const QString& group : groups)
        reg.remove(group);
    for (const auto& [key, values] : keys()) {
        reg.beginGroup(fromAscii(key));
        for (const auto& [name, value] : values) {
            if (value.type == Type::Integer)
                reg.setValue(fromAscii(name), value.integer);
            else if (value.type == Type::Text)
                reg.setValue(fromAscii(name), QString::fromStdU16String(value.text));
        }
        reg.endGroup();
    }
    reg.sync();
    return reg.status() == QSettings::NoError;
}

} // namespace vlm
