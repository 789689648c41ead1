#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace Scripter {

// Where the packages are that a command-line argument names.
class PackagePaths
{
    Q_DECLARE_TR_FUNCTIONS(Scripter::PackagePaths)

public:
    PackagePaths() = delete;

    // The file that the package processor opens for `argument`: a folder stands for the marker
    // file of the unarchived package it holds. Empty, with the reason, when there is none.
    static QString packageFile(const QString &argument, QString *reason);
    // The names of the packages in the folder `folder`, sorted: its ".tscript" archives and the
    // package folders in it.
    static QStringList packagesIn(const QString &folder);
};

} // namespace Scripter
