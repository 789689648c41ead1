#pragma once

#include "frameworkobject.h"

#include <memory>

namespace SRCore {
class Metadata;
}

// A metadata dataset of a job as a script sees it: its model, its backing file and XPath 1.0
// queries on XML, JDF and XMP datasets. Namespace prefixes are given as declarations,
// 'xmlns:dc="http://purl.org/dc/elements/1.1/"'; those of the document and of the model are known
// without. An Opaque dataset has a path only; its queries fail.
class Dataset : public FrameworkObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "Dataset")

public:
    Dataset(std::unique_ptr<SRCore::Metadata> metadata, IFrameworkEnvironment *environment,
            SRCore::ILogInterface *log, QObject *parent = nullptr);
    ~Dataset() override;

    const SRCore::Metadata &metadata() const { return *m_metadata; }

    Q_INVOKABLE QString getModel() const;
    Q_INVOKABLE QString getPath() const;
    Q_INVOKABLE QString evalToString(const QString &xpath,
                                     const QString &prefixes = QString()) const;
    Q_INVOKABLE double evalToNumber(const QString &xpath,
                                    const QString &prefixes = QString()) const;
    Q_INVOKABLE bool evalToBoolean(const QString &xpath, const QString &prefixes = QString()) const;
    Q_INVOKABLE QStringList evalToStrings(const QString &xpath,
                                          const QString &prefixes = QString()) const;

private:
    template<typename Result>
    auto checked(const Result &result) const;

    std::unique_ptr<SRCore::Metadata> m_metadata;
};
