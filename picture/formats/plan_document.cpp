#include "plan_document.h"

namespace centrafix {

namespace {
constexpr Message kNotBuilt{"noch nicht gebaut", "not built yet"};
}

bool IsPlanDocument(const QString&, const QByteArray&)
{
    return false;
}

Result<PlanDocumentInfo> ReadPlanDocumentInfo(const QString& path)
{
    return Described(path.toStdString(), kNotBuilt);
}

QSize PlanPagePixels(QSizeF points, double dpi)
{
    return (points * dpi / 72.0).toSize();
}

Result<QImage> RenderPlanPage(const QString& path, int, double)
{
    return Described(path.toStdString(), kNotBuilt);
}

Result<std::vector<QImage>> PlanThumbnails(const QString& path, QSize)
{
    return Described(path.toStdString(), kNotBuilt);
}

Result<std::unique_ptr<RowReader>> OpenPlanRows(const QString& path, int, double)
{
    return Described(path.toStdString(), kNotBuilt);
}

} // namespace centrafix
