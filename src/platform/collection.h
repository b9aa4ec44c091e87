#pragma once
// Collections: an owned, ordered list of persistent items of one class, as a
// component stores them in its form description (item blocks).
#include "platform/persistent.h"
#include <functional>
#include <memory>
#include <vector>

class TCollection;

/// One item of a collection. Destroying an item removes it from its collection.
class TCollectionItem : public TPersistent {
public:
  explicit TCollectionItem(TCollection *ACollection);
  ~TCollectionItem() override;
  TCollection *Collection() const { return collection_; }
  TPersistent *GetOwner() const override;
  /// Position in the collection.
  int Index() const;
  /// Moves the item to another position.
  void SetIndex(int Value);
  /// A number unique within the collection, kept when items move.
  int ID() const { return id_; }
  virtual std::string DisplayName() const;

protected:
  /// Tells the collection that this item changed (AllItems: more than one item).
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection *collection_ = nullptr;
  int id_ = 0;
};

/// An ordered list of items created by a factory for the item class.
class TCollection : public TPersistent {
public:
  using TItemFactory = std::function<TCollectionItem *(TCollection *)>;
  /// ItemFactory creates one item inside the given collection (the item's
  /// constructor inserts it).
  explicit TCollection(TItemFactory ItemFactory, TPersistent *AOwner = nullptr);
  ~TCollection() override;

  int Count() const { return int(items_.size()); }
  /// Item Index; out of range raises EListError.
  TCollectionItem *Items(int Index) const;
  TCollectionItem *Add();
  TCollectionItem *Insert(int Index);
  void Delete(int Index);
  void Clear();
  TCollectionItem *FindItemID(int ID) const;
  void BeginUpdate();
  void EndUpdate();
  TPersistent *GetOwner() const override { return owner_; }
  /// Replaces the items with copies of Source's items (through Assign).
  void Assign(TPersistent *Source) override;

  /// Raised after a change (Item is null when several items changed).
  std::function<void(TCollection *, TCollectionItem *Item)> OnUpdate;

protected:
  /// Called after changes outside an update bracket.
  virtual void Update(TCollectionItem *Item);

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem *Item);
  void RemoveItem(TCollectionItem *Item);
  void Changed(TCollectionItem *Item);
  TItemFactory factory_;
  TPersistent *owner_;
  std::vector<TCollectionItem *> items_;
  int nextId_ = 0;
  int updateCount_ = 0;
  bool destroying_ = false;
};
