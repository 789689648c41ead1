#include "dataset.h"

#include "corelib/metadata/metadata.h"

Dataset::Dataset(std::unique_ptr<SRCore::Metadata> metadata, IFrameworkEnvironment *environment,
                 SRCore::ILogInterface *log, QObject *parent)
    : FrameworkObject(environment, log, parent)
    , m_metadata(std::move(metadata))
{
    Q_ASSERT(m_metadata);
}

Dataset::~Dataset() = default;

template<typename Result>
auto Dataset::checked(const Result &result) const
{
    if (!result.ok()) {
        raiseError(result.errorMessage);
    }
    return result.value;
}

QString Dataset::getModel() const
{
    return m_metadata->getModel();
}

QString Dataset::getPath() const
{
    return m_metadata->getPath();
}

QString Dataset::evalToString(const QString &xpath, const QString &prefixes) const
{
    return checked(m_metadata->evalToString(xpath, prefixes));
}

double Dataset::evalToNumber(const QString &xpath, const QString &prefixes) const
{
    return checked(m_metadata->evalToNumber(xpath, prefixes));
}

bool Dataset::evalToBoolean(const QString &xpath, const QString &prefixes) const
{
    return checked(m_metadata->evalToBoolean(xpath, prefixes));
}

QStringList Dataset::evalToStrings(const QString &xpath, const QString &prefixes) const
{
    return checked(m_metadata->evalToStrings(xpath, prefixes));
}
