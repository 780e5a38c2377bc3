#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

// A bench's own settings and journals, out of the operator's, and no display. Made before the
// application object, which reads these variables.
class CBenchHome
{
public:
    CBenchHome()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(FilePath("config")));
        qputenv("XDG_STATE_HOME", QFile::encodeName(FilePath("state")));
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QString FilePath(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

private:
    QTemporaryDir m_dir;
};
