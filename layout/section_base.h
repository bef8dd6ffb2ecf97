#pragma once
// The base of every layout object (a section: a vertical stretch of its
// cell) and the cells that hold sections in document order.
//
// Y values are document pixels from the top of the document; document
// heights are added up in 64 bits and kept within the 32-bit range.
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "support/id_names.h"

namespace html {

class TSectionList;
class TBlock;
class IndentManager;

// Y of a section that has never been laid out.
constexpr int kNotLaidOut = 999999999;

class TSectionBase : public TIDObject {
 public:
  explicit TSectionBase(TSectionList* document) : Document(document) {}
  ~TSectionBase() override = default;
  TSectionBase(const TSectionBase&) = delete;
  TSectionBase& operator=(const TSectionBase&) = delete;

  TBlock* OwnerBlock = nullptr;
  TSectionList* Document;
  int NaturalHeight = 0;
  int SectionHeight = 0;
  int StartIndex = 0;
  int IndexCount = 0;
  int ZOrder = 0;
  int TopY = kNotLaidOut;
  int ContentBottom = 0;
  int DrawTop = 0;
  int DrawBottom = 0;
  int ContentTop = 0;

  int YPosition() const override { return TopY; }
  // Lays the section out with its top at Y; consumes document indices from
  // Index, widens MaxWidth to its widest content and answers the height by
  // which the next section moves down. The default is a section of fixed
  // NaturalHeight.
  virtual int LayoutPass(plat::TCanvas& canvas, int x, int& index, int& maxWidth, IndentManager* indents,
                         int parentHeight, int availHeight, int availWidth, int reserved1, int reserved2, int y);
  // Paints the section; answers the Y where the next section starts.
  virtual int PaintSection(plat::TCanvas& canvas, const plat::TRect& clipRect, IndentManager* indents, int x, int xRef,
                           int yRef);
  // Adds the section to the document's list of positions.
  virtual void RegisterPosition();
};

// An ordered list of sections, owned.
class TCellBasic {
 public:
  explicit TCellBasic(TSectionList* document) : Document(document) {}
  virtual ~TCellBasic() = default;
  TCellBasic(const TCellBasic&) = delete;
  TCellBasic& operator=(const TCellBasic&) = delete;

  TSectionList* Document;
  int CellY = 0;
  IndentManager* Indents = nullptr;
  int StartIndex = 0;
  int IndexCount = 0;
  bool HasBackColor = false;
  plat::TColor BackColor = plat::NoColor;
  int ContentBottom = 0;
  int DrawTop = 0;
  int DrawBottom = 0;
  std::string OwnerTag;
  TBlock* OwnerBlock = nullptr;

  int Count() const { return static_cast<int>(sections_.size()); }
  TSectionBase* Section(int i) const { return sections_.at(static_cast<size_t>(i)).get(); }
  // Appends a section (nothing for none) and makes it the document's.
  virtual void AddSection(std::unique_ptr<TSectionBase> section, int sourceIndex);
  // Frees every section.
  void ClearSections() { sections_.clear(); }

  // Lays the sections out one below the other from Y; answers the total height.
  virtual int LayoutCell(plat::TCanvas& canvas, int y, int& index, int& maxWidth, int parentHeight, int availHeight,
                         int availWidth);
  // Paints every section; answers the last section's answer, or Y when empty.
  virtual int PaintCell(plat::TCanvas& canvas, const plat::TRect& clipRect, int limit, int x, int y, int xRef,
                        int yRef);
  void RegisterPositions();

 protected:
  std::vector<std::unique_ptr<TSectionBase>> sections_;
};

// A cell with its own float bookkeeping.
class TCell : public TCellBasic {
 public:
  using TCellBasic::TCellBasic;
  int PaintY = 0;

  int PaintCell(plat::TCanvas& canvas, const plat::TRect& clipRect, int limit, int x, int y, int xRef,
                int yRef) override;
};

}  // namespace html
