#pragma once
// A form of the document, as far as the viewer keeps its state between
// visits: the values of its controls.
#include <string>
#include <vector>

namespace html {

class ThtmlForm {
 public:
  virtual ~ThtmlForm() = default;
  // The values of the form's controls, one per control.
  virtual std::vector<std::string> CollectValues() const { return {}; }
};

// The values of every form of a document, one entry per form.
using TFormStates = std::vector<std::vector<std::string>>;

}  // namespace html
