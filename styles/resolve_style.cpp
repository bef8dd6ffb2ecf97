// Selector matching: which rules of the style list reach an element, and
// in what order.
#include <algorithm>
#include <span>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "styles/descendant_key.h"
#include "styles/lengths.h"
#include "styles/prop_stack.h"
#include "styles/properties.h"
#include "styles/style_list.h"
#include "support/text_util.h"

namespace html {

namespace {

bool ClassesMatch(const TKeyComponent& c, const TProperties& entry) {
  return c.classes.empty() || c.classes == entry.ClassText || ClassSubset(c.classList, entry.ClassList());
}

bool EntryMatches(const TKeyComponent& c, const TProperties& entry) {
  return (c.name.empty() || c.name == entry.TagName) && (c.id.empty() || c.id == entry.IdText) &&
         (c.pseudo.empty() || c.pseudo == entry.PseudoText) && ClassesMatch(c, entry);
}

// The rules for one element, applied to its set in order of increasing
// specificity.
class TResolver {
 public:
  TResolver(TProperties& set, const TStyleList& styles, const TPropStack& stack, int ancestorTop,
            std::string_view tag, std::string_view id, std::string_view pseudo)
      : set_(set),
        styles_(styles),
        stack_(stack),
        ancestorTop_(std::min(ancestorTop, stack.TopIndex())),
        t_(tag),
        i_(id),
        p_(pseudo),
        // Hover and visited sets were derived from the anchor's set, which
        // has had the element's plain rules already.
        plain_(p_.empty() || (p_ != "hover" && p_ != "visited")) {}

  // `classes` holds each class of the element, then (with two or more) the
  // compound of them all. Rules are applied once, in order of increasing
  // specificity; each run of class rules in that order is applied for every
  // entry of `classes` in turn, so later classes and then the compound win
  // over earlier ones without moving past rules that outrank class rules.
  void Resolve(const std::vector<std::string>& classes) {
    const bool hasP = !p_.empty(), hasI = !i_.empty();
    if (t_ == "a" && hasP) Apply("::" + p_);
    if (plain_) Apply(t_);
    if (hasP) Apply(":" + p_);
    if (plain_) {
      for (const std::string& c : classes) {
        Apply("." + c);
        Apply(t_ + "." + c);
      }
    }
    if (hasP) {
      Apply(t_ + ":" + p_);
      for (const std::string& c : classes) {
        Apply("." + c + ":" + p_);
        Apply(t_ + "." + c + ":" + p_);
      }
    }
    if (hasI) {
      Apply("#" + i_);
      Apply(t_ + "#" + i_);
      for (const std::string& c : classes) {
        Apply("." + c + "#" + i_);
        Apply(t_ + "." + c + "#" + i_);
      }
      if (hasP) {  // keys put the pseudo-class before the id
        Apply(":" + p_ + "#" + i_);
        Apply(t_ + ":" + p_ + "#" + i_);
        for (const std::string& c : classes) {
          Apply("." + c + ":" + p_ + "#" + i_);
          Apply(t_ + "." + c + ":" + p_ + "#" + i_);
        }
      }
    }
    if (!t_.empty()) Scan(t_, classes);
    for (const std::string& c : classes) Scan("." + c, {&c, 1});
    if (hasP) Scan(":" + p_, {});
    if (hasI) Scan("#" + i_, {});
  }

 private:
  // The first rule whose key equals k ignoring case, and those after it
  // whose key is exactly k.
  void Apply(const std::string& k) {
    int i = styles_.IndexOf(k);
    if (i < 0) return;
    set_.ApplyRule(styles_.Rule(i));
    for (++i; i < styles_.Count() && styles_.Key(i) == k; ++i) set_.ApplyRule(styles_.Rule(i));
  }

  // Descendant rules whose key begins with `prefix`. Keys that do not fit
  // the element are skipped; the rules that match are applied by subject,
  // then by number of ancestors, then in the order they were declared. A
  // subject's classes must be empty or equal one entry of `classes`. The
  // subjects with classes all begin with the tag and ".", so they lie side
  // by side in key order; they are applied in the order of `classes`, where
  // the first of them stands among the subjects without classes.
  void Scan(const std::string& prefix, std::span<const std::string> classes) {
    struct TMatch {
      int place, classIndex, group, count;
      int64_t serial;
      const TProperties* rule;
    };
    std::vector<TMatch> matches;
    std::string_view lastSubject;
    int group = -1, classPlace = -1;
    for (int k = styles_.LowerBound(prefix); k < styles_.Count(); ++k) {
      const std::string& key = styles_.Key(k);
      if (key.compare(0, prefix.size(), prefix) != 0) break;
      const TDescendantKey* parsed = styles_.Descendant(k);
      if (!parsed) continue;
      const TKeyComponent& subject = parsed->components[0];
      // Each ancestor component takes an open element of its own.
      if (parsed->components.size() - 1 > static_cast<size_t>(std::max(ancestorTop_, 0))) continue;
      int classIndex = 0;
      if (!subject.classes.empty()) {
        const auto it = std::find(classes.begin(), classes.end(), subject.classes);
        if (it == classes.end()) continue;
        classIndex = static_cast<int>(it - classes.begin());
      }
      if (!SubjectMatches(subject) || !AncestorsMatch(*parsed)) continue;
      std::string_view subjectText(key.data(), parsed->subjectLength);
      if (group < 0 || subjectText != lastSubject) {
        ++group;
        lastSubject = subjectText;
      }
      int place = group;
      if (!subject.classes.empty()) {
        if (classPlace < 0) classPlace = group;
        place = classPlace;
      }
      matches.push_back({place, classIndex, group, parsed->count, parsed->serial, &styles_.Rule(k)});
    }
    std::stable_sort(matches.begin(), matches.end(), [](const TMatch& a, const TMatch& b) {
      return std::tie(a.place, a.classIndex, a.group, a.count, a.serial) <
             std::tie(b.place, b.classIndex, b.group, b.count, b.serial);
    });
    for (const TMatch& m : matches) set_.ApplyRule(*m.rule);
  }

  // The subject's name, id and pseudo-class; its classes are checked by Scan.
  bool SubjectMatches(const TKeyComponent& s) const {
    return (s.name.empty() || s.name == t_) && (s.id.empty() || s.id == i_) &&
           (s.pseudo == p_ || (s.pseudo.empty() && (p_.empty() || p_ == "link")));
  }

  // Walks the open elements from the nearest ancestor down to entry 1 (the
  // document's base set never takes part).
  bool AncestorsMatch(const TDescendantKey& key) const {
    const auto& comps = key.components;
    size_t k = 1;
    bool mustBeParent = comps[0].directParent;
    for (int e = ancestorTop_; e >= 1; --e) {
      if (EntryMatches(comps[k], stack_.Item(e))) {
        if (k + 1 == comps.size()) return true;
        mustBeParent = comps[k].directParent;
        ++k;
      } else if (mustBeParent) {
        return false;
      }
    }
    return false;
  }

  TProperties& set_;
  const TStyleList& styles_;
  const TPropStack& stack_;
  const int ancestorTop_;
  const std::string t_, i_, p_;
  const bool plain_;
};

}  // namespace

const std::vector<std::string>& TProperties::ClassList() const {
  if (!classListSource_ || *classListSource_ != ClassText) {
    classList_ = SortedClassList(ClassText);
    classListSource_ = ClassText;
  }
  return classList_;
}

void TProperties::ResolveStyle(const TStyleList& styles, TPropStack& stack, std::string_view tagName,
                               std::string_view classText, std::string_view idText,
                               std::shared_ptr<const TProperties> inlineStyle, std::string_view title,
                               std::string_view pseudo) {
  const int self = stack.IndexOf(this);
  if (self < 0) throw std::logic_error("ResolveStyle: the set is not on the property stack");
  ResolveWithAncestors(styles, stack, self - 1, tagName, classText, idText, std::move(inlineStyle), title,
                       pseudo);
}

void TProperties::ResolveWithAncestors(const TStyleList& styles, TPropStack& stack, int ancestorTop,
                                       std::string_view tagName, std::string_view classText,
                                       std::string_view idText,
                                       std::shared_ptr<const TProperties> inlineStyle, std::string_view title,
                                       std::string_view pseudo) {
  // Relative font sizes are taken against the inherited size, once, however
  // many passes there are.
  const PropValue& inherited = Values[piFontSize];
  const double baseSize =
      inherited.IsReal() && inherited.AsReal() > 0 ? inherited.AsReal() : DefaultFontSize();

  // Each class on its own, then (with several) the whole class text.
  std::vector<std::string> classes;
  std::string_view trimmed = TrimView(classText);
  if (trimmed.find('.') != std::string_view::npos) {
    for (std::string_view c : SplitClasses(trimmed)) classes.emplace_back(c);
  }
  if (!trimmed.empty()) classes.emplace_back(trimmed);
  TResolver(*this, styles, stack, ancestorTop, tagName, idText, pseudo).Resolve(classes);
  if (inlineStyle) ApplyRule(*inlineStyle);
  if (Values[piFontSize].IsText())
    Values[piFontSize] = FontSizePoints(TrimView(Values[piFontSize].Text()), baseSize);

  TagName = std::string(tagName);
  ClassText = std::string(classText);
  IdText = std::string(idText);
  PseudoText = std::string(pseudo);
  InlineStyle = std::move(inlineStyle);
  if (!title.empty()) Title = std::string(title);

  if (pseudo == "link") {
    if (!LinkFonts) LinkFonts = std::make_unique<TFontInfoArray>();
    const int self = stack.IndexOf(this);
    if (self >= 0) ComputeLinkFonts(styles, stack, self);
    HasLinkFonts = true;
  }
}

}  // namespace html
