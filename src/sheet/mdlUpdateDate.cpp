#include "sheet/mdlUpdateDate.h"

namespace sheet::mdlUpdateDate {

void UpdateData(app::mdlGlobal&, const SheetControls&) {}

} // namespace sheet::mdlUpdateDate
