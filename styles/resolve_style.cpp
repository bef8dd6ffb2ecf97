// Selector matching: which rules of the style list reach an element, and
// in what order.
#include <algorithm>
#include <stdexcept>
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

  // One pass for class (or compound class) c. Rules that involve no class
  // are applied only in the first pass, so that several classes neither
  // repeat them nor let them override an earlier class rule.
  void Pass(std::string_view cls, bool withClassless) {
    const std::string c(cls);
    const bool hasC = !c.empty(), hasP = !p_.empty(), hasI = !i_.empty();
    if (withClassless) {
      if (t_ == "a" && hasP) Apply("::" + p_);
      if (plain_) Apply(t_);
      if (hasP) Apply(":" + p_);
    }
    if (plain_ && hasC) {
      Apply("." + c);
      Apply(t_ + "." + c);
    }
    if (withClassless && hasP) Apply(t_ + ":" + p_);
    if (hasC && hasP) {
      Apply("." + c + ":" + p_);
      Apply(t_ + "." + c + ":" + p_);
    }
    if (hasI) {
      if (withClassless) {
        Apply("#" + i_);
        Apply(t_ + "#" + i_);
      }
      if (hasC) {
        Apply("." + c + "#" + i_);
        Apply(t_ + "." + c + "#" + i_);
      }
      if (hasP) {  // keys put the pseudo-class before the id
        if (withClassless) {
          Apply(":" + p_ + "#" + i_);
          Apply(t_ + ":" + p_ + "#" + i_);
        }
        if (hasC) {
          Apply("." + c + ":" + p_ + "#" + i_);
          Apply(t_ + "." + c + ":" + p_ + "#" + i_);
        }
      }
    }
    if (!t_.empty()) Scan(t_, c, withClassless);
    if (hasC) Scan("." + c, c, withClassless);
    if (withClassless && hasP) Scan(":" + p_, c, true);
    if (withClassless && hasI) Scan("#" + i_, c, true);
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
  // then by number of ancestors, then in the order they were declared.
  void Scan(const std::string& prefix, const std::string& c, bool withClassless) {
    struct TMatch {
      int group, count;
      int64_t serial;
      const TProperties* rule;
    };
    std::vector<TMatch> matches;
    std::string_view lastSubject;
    int group = -1;
    for (int k = styles_.LowerBound(prefix); k < styles_.Count(); ++k) {
      const std::string& key = styles_.Key(k);
      if (key.compare(0, prefix.size(), prefix) != 0) break;
      const TDescendantKey* parsed = styles_.Descendant(k);
      if (!parsed) continue;
      const TKeyComponent& subject = parsed->components[0];
      if (!withClassless && subject.classes.empty()) continue;
      // Each ancestor component takes an open element of its own.
      if (parsed->components.size() - 1 > static_cast<size_t>(std::max(ancestorTop_, 0))) continue;
      if (!SubjectMatches(subject, c) || !AncestorsMatch(*parsed)) continue;
      std::string_view subjectText(key.data(), parsed->subjectLength);
      if (group < 0 || subjectText != lastSubject) {
        ++group;
        lastSubject = subjectText;
      }
      matches.push_back({group, parsed->count, parsed->serial, &styles_.Rule(k)});
    }
    std::stable_sort(matches.begin(), matches.end(), [](const TMatch& a, const TMatch& b) {
      if (a.group != b.group) return a.group < b.group;
      if (a.count != b.count) return a.count < b.count;
      return a.serial < b.serial;
    });
    for (const TMatch& m : matches) set_.ApplyRule(*m.rule);
  }

  bool SubjectMatches(const TKeyComponent& s, const std::string& c) const {
    return (s.name.empty() || s.name == t_) && (s.classes.empty() || s.classes == c) &&
           (s.id.empty() || s.id == i_) &&
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

  TResolver resolver(*this, styles, stack, ancestorTop, tagName, idText, pseudo);
  std::string_view classes = TrimView(classText);
  if (classes.find('.') != std::string_view::npos) {
    std::vector<std::string_view> each = SplitClasses(classes);
    bool first = true;
    for (std::string_view c : each) {
      resolver.Pass(c, first);
      first = false;
    }
    resolver.Pass(classes, first);
  } else {
    resolver.Pass(classes, true);
  }
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
