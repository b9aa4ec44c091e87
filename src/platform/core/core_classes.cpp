// Registration of the core's own classes with their published properties:
// the object model, string lists, collections, components and the drawing
// tools. Each back end's RegisterPlatformClasses starts with these.
#include "platform/collection.h"
#include "platform/component.h"
#include "platform/graphics.h"
#include "platform/property_registry.h"
#include "platform/strings.h"

namespace {
using FFont = TForeignObject<TFont>;
using FPen = TForeignObject<TPen>;
using FBrush = TForeignObject<TBrush>;
} // namespace

void RegisterCoreClasses() {
  RegisterClass<TObject, void>("TObject");
  RegisterClass<TPersistent, TObject>("TPersistent");
  RegisterClass<TStrings, TPersistent>("TStrings");
  RegisterClass<TStringList, TStrings>("TStringList");
  RegisterClass<TCollectionItem, TPersistent>("TCollectionItem");
  RegisterClass<TCollection, TPersistent>("TCollection");
  RegisterClass<TComponent, TPersistent>("TComponent")
      .Text("Name", &TComponent::Name, &TComponent::SetName)
      .Integer("Tag", &TComponent::Tag, &TComponent::SetTag);
  RegisterForeignClass<TFont>("TFont")
      .Color(
          "Color", [](FFont *f) { return f->Target->Color(); },
          [](FFont *f, TColor c) { f->Target->SetColor(c); })
      .Integer(
          "Height", [](FFont *f) { return f->Target->Height(); },
          [](FFont *f, int v) { f->Target->SetHeight(v); })
      .Text(
          "Name", [](FFont *f) { return f->Target->Name(); },
          [](FFont *f, const std::string &v) { f->Target->SetName(v); })
      .Enum(
          "Pitch", [](FFont *f) { return f->Target->Pitch(); },
          [](FFont *f, TFontPitch v) { f->Target->SetPitch(v); },
          {"fpDefault", "fpVariable", "fpFixed"})
      .Integer(
          "Size", [](FFont *f) { return f->Target->Size(); },
          [](FFont *f, int v) { f->Target->SetSize(v); })
      .Set(
          "Style", [](FFont *f) { return int(f->Target->Style().Bits()); },
          [](FFont *f, int v) { f->Target->SetStyle(TFontStyles::FromBits(std::uint8_t(v))); },
          FontStyleNames);
  RegisterForeignClass<TPen>("TPen")
      .Color(
          "Color", [](FPen *p) { return p->Target->Color(); },
          [](FPen *p, TColor c) { p->Target->SetColor(c); })
      .Enum(
          "Mode", [](FPen *p) { return p->Target->Mode(); },
          [](FPen *p, TPenMode v) { p->Target->SetMode(v); },
          {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
           "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
           "pmNotMask", "pmXor", "pmNotXor"})
      .Enum(
          "Style", [](FPen *p) { return p->Target->Style(); },
          [](FPen *p, TPenStyle v) { p->Target->SetStyle(v); }, PenStyleNames)
      .Integer(
          "Width", [](FPen *p) { return p->Target->Width(); },
          [](FPen *p, int v) { p->Target->SetWidth(v); });
  RegisterForeignClass<TBrush>("TBrush")
      .Color(
          "Color", [](FBrush *b) { return b->Target->Color(); },
          [](FBrush *b, TColor c) { b->Target->SetColor(c); })
      .Enum(
          "Style", [](FBrush *b) { return b->Target->Style(); },
          [](FBrush *b, TBrushStyle v) { b->Target->SetStyle(v); },
          {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
           "bsCross", "bsDiagCross"});
}
