#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace controls {

void installFontSubstitutions()
{
    const QString uming = QStringLiteral("AR PL UMing TW");
    QFont::insertSubstitution(QStringLiteral("新細明體"), uming);
    QFont::insertSubstitution(QStringLiteral("標楷體"), QStringLiteral("AR PL UKai TW"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    // Latin from a sans face, Chinese from the Ming face, as the system's font linking does.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), uming});
}

} // namespace controls
