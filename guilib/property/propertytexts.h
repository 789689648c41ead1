#pragma once

#include <QString>

namespace GuiLib {

// Translation contexts of the texts that come from property definitions rather than from this
// library: display names, tool tips and enumeration choices. Their catalogues are shipped with
// the server's definitions; without them the texts show as written.
inline constexpr char PropertyTagNameContext[] = "PropertyTagName";
inline constexpr char PropertyTooltipContext[] = "PropertyTooltip";
inline constexpr char PropertyEnumsContext[] = "PropertyEnums";

// `text` translated in `context`. Carriage returns are removed first: definitions written on
// Windows carry them, the catalogues' source texts do not.
QString translatePropertyText(const char *context, const QString &text);

} // namespace GuiLib
