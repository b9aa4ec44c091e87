#pragma once
// Ordered lists of text lines: memo contents, parameter lists, language
// template lines. TStrings is the abstract list; TStringList keeps its lines
// itself.
#include "platform/persistent.h"
#include <string>
#include <vector>

/// An abstract list of lines with an optional object per line.
class TStrings : public TPersistent {
public:
  virtual int Count() const = 0;
  /// Line Index (0-based); out-of-range raises EListError.
  virtual std::string Strings(int Index) const = 0;
  /// Replaces line Index.
  virtual void Put(int Index, const std::string &S) = 0;
  virtual void Insert(int Index, const std::string &S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  /// Appends a line and returns its index.
  virtual int Add(const std::string &S);
  void AddStrings(const TStrings &Other);
  /// Index of the first line equal to S (ignoring ASCII case), or -1.
  virtual int IndexOf(const std::string &S) const;
  /// The lines joined, each followed by a line break ("\n").
  std::string Text() const;
  /// Replaces all lines by the lines of Value ("\n" or "\r\n" separated).
  void SetText(const std::string &Value);
  /// The lines as "name=value" pairs.
  std::string Names(int Index) const;
  std::string Values(const std::string &Name) const;
  /// Suspends change notification until the matching EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void Assign(TPersistent *Source) override;

protected:
  /// Called when the list changed outside an update bracket.
  virtual void Changed() {}
  /// Called by BeginUpdate/EndUpdate when updating starts and ends.
  virtual void SetUpdateState(bool) {}

private:
  int updateCount_ = 0;
};

/// Raised for an index outside a list.
class EListError : public Exception {
public:
  using Exception::Exception;
};

/// A list of lines held in memory, with change events.
class TStringList : public TStrings {
public:
  TStringList() = default;
  int Count() const override { return int(lines_.size()); }
  std::string Strings(int Index) const override;
  void Put(int Index, const std::string &S) override;
  void Insert(int Index, const std::string &S) override;
  void Delete(int Index) override;
  void Clear() override;
  /// Direct access to the lines.
  const std::vector<std::string> &Lines() const { return lines_; }

  /// Raised after every change (at EndUpdate when changes were bracketed).
  TNotifyEvent OnChange;

protected:
  void Changed() override;
  void SetUpdateState(bool Updating) override;

private:
  void Check(int Index, bool allowEnd) const;
  std::vector<std::string> lines_;
  bool changedWhileUpdating_ = false;
};

/// The text a caption shows without its accelerator marks: "&x" gives "x"
/// (the letter Alt+x reaches), "&&" gives a literal "&". Captions shared with
/// plain texts (titles, chart texts) are shown through it.
std::string StripAccelChars(const std::string &Caption);
