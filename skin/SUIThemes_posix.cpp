#include "skin/SUIThemes.h"

namespace trimwell {

// The portable build has no windows: a component that owns others stands for a form.
bool IsFormComponent(const TComponent* component) { return component != nullptr && component->ComponentCount() > 0; }

}  // namespace trimwell
