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
    // The packages below the folder `folder` as paths relative to it, sorted by name level by
    // level: ".tscript" archives and package folders, at any depth up to eight folders down.
    static QStringList packagesIn(const QString &folder);
};

} // namespace Scripter
