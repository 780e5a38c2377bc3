#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

// A home of the test program's own, with its settings and state folders: the program's
// settings and journals never touch the real ones. Made before the application object.
class CTestHome
{
public:
    CTestHome()
    {
        const QDir home(m_dir.path());
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
        qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("state")));
    }

    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
