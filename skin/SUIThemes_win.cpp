#include "framework/Forms_win.h"
#include "skin/SUIThemes.h"

namespace trimwell {

bool IsFormComponent(const TComponent* component) { return dynamic_cast<const TForm*>(component) != nullptr; }

}  // namespace trimwell
