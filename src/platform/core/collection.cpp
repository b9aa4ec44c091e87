#include "platform/collection.h"
#include "platform/strings.h"
#include <algorithm>

TCollectionItem::TCollectionItem(TCollection *ACollection) {
  if (ACollection) ACollection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->RemoveItem(this);
}

TPersistent *TCollectionItem::GetOwner() const {
  return collection_;
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto &v = collection_->items_;
  return int(std::find(v.begin(), v.end(), this) - v.begin());
}

void TCollectionItem::SetIndex(int Value) {
  if (!collection_) return;
  auto &v = collection_->items_;
  int cur = Index();
  Value = std::clamp(Value, 0, int(v.size()) - 1);
  if (cur == Value) return;
  v.erase(v.begin() + cur);
  v.insert(v.begin() + Value, this);
  collection_->Changed(nullptr);
}

std::string TCollectionItem::DisplayName() const {
  return ClassName();
}

void TCollectionItem::Changed(bool AllItems) {
  if (collection_) collection_->Changed(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory ItemFactory, TPersistent *AOwner)
    : factory_(std::move(ItemFactory)), owner_(AOwner) {}

TCollection::~TCollection() {
  destroying_ = true;
  Clear();
}

TCollectionItem *TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return items_[std::size_t(Index)];
}

TCollectionItem *TCollection::Add() {
  TCollectionItem *item = factory_(this);
  if (item->collection_ != this) InsertItem(item);
  Changed(nullptr);
  return item;
}

TCollectionItem *TCollection::Insert(int Index) {
  TCollectionItem *item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  delete Items(Index);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty())
    delete items_.back();
  EndUpdate();
}

TCollectionItem *TCollection::FindItemID(int ID) const {
  for (TCollectionItem *i : items_)
    if (i->id_ == ID) return i;
  return nullptr;
}

void TCollection::BeginUpdate() {
  ++updateCount_;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed(nullptr);
}

void TCollection::Assign(TPersistent *Source) {
  auto *src = dynamic_cast<TCollection *>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  Clear();
  for (TCollectionItem *i : src->items_)
    Add()->Assign(i);
  EndUpdate();
}

void TCollection::Update(TCollectionItem *Item) {
  if (OnUpdate) OnUpdate(this, Item);
}

void TCollection::InsertItem(TCollectionItem *Item) {
  items_.push_back(Item);
  Item->collection_ = this;
  Item->id_ = nextId_++;
}

void TCollection::RemoveItem(TCollectionItem *Item) {
  items_.erase(std::remove(items_.begin(), items_.end(), Item), items_.end());
  Item->collection_ = nullptr;
  if (!destroying_) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem *Item) {
  if (updateCount_ == 0 && !destroying_) Update(Item);
}
