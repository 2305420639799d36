#include "platform/store/RegFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "platform/store/FoldedIndex.h"
#include "platform/store/RegReader.h"
#include "platform/store/RegText.h"
#include "platform/store/RegWriter.h"

// The reader's two sinks: one builds the tree, one checks that written text
// reads back as the tree it was written from. The text itself is read in
// RegReader.cpp, the kinds of data in RegValueTypes.cpp, and FormatRegFile
// is in RegWriter.cpp.

namespace zorvanel::store {

RegFileError::RegFileError(std::string_view fileName, int line, std::string_view reason)
    : std::runtime_error(std::string(fileName) + ":" + std::to_string(line) + ": " +
                         std::string(reason)),
      line_(line) {}

namespace {

// ---------------------------------------------------------------------------
// Reading into a tree

// Builds the tree. Names are found through a case-folded index beside each
// ordered list, so reading stays linear. It also keeps count of the bytes the
// writer will make of the tree and refuses a store that would be written
// back larger than the reader takes, so that every store it accepts can be
// written back.
class TreeBuilder : public RegSink {
 public:
  Key Take() {
    FitLists(root_);
    return std::move(root_);
  }

  std::optional<std::string> OnKey(std::vector<std::string>& names) override {
    // The key left behind is done with, as a rule: its value list gives back
    // what growing left unused, and its index goes until it is needed again.
    if (key_) {
      key_->values.shrink_to_fit();
      node_->values.Release();
    }
    key_ = &root_;
    node_ = &rootNode_;
    std::size_t pathLength = kRootName.size();
    for (std::string& name : names) {
      pathLength += 1 + name.size();
      const auto count = static_cast<std::uint32_t>(key_->subkeys.size());
      auto nameAt = [this](std::uint32_t i) -> std::string_view { return key_->subkeys[i].name; };
      const auto found = node_->subkeys.Find(name, count, nameAt);
      if (found) {
        key_ = &key_->subkeys[*found];
        node_ = &node_->nodes[*found];
        continue;
      }
      key_->subkeys.emplace_back().name = std::move(name);
      node_->subkeys.Added(count + 1, nameAt);
      key_ = &key_->subkeys.back();
      node_ = &node_->nodes.emplace_back();
      node_->pathLength = pathLength;
      written_ += KeyLineSize(pathLength);
    }
    return WrittenSizeCheck();
  }

  std::optional<std::string> OnValue(Value& value) override {
    if (key_ == &root_ && root_.values.empty()) written_ += KeyLineSize(kRootName.size());
    const auto count = static_cast<std::uint32_t>(key_->values.size());
    auto nameAt = [this](std::uint32_t i) -> std::string_view { return key_->values[i].name; };
    // A name set again replaces the earlier data but keeps its place.
    if (const auto found = node_->values.Find(value.name, count, nameAt)) {
      Value& existing = key_->values[*found];
      written_ -= FormattedSize(existing);
      existing.type = value.type;
      existing.data = std::move(value.data);
      written_ += FormattedSize(existing);
    } else {
      written_ += FormattedSize(value);
      key_->values.push_back(std::move(value));
      node_->values.Added(count + 1, nameAt);
    }
    return WrittenSizeCheck();
  }

 private:
  // The index beside one key of the tree.
  struct Node {
    FoldedIndex subkeys;
    FoldedIndex values;
    std::vector<Node> nodes;  // beside the key's subkeys, in the same order
    std::size_t pathLength = 0;
  };

  // The lists grew one entry at a time; the tree is kept for the program's
  // whole run, so it gives back what growing left unused.
  static void FitLists(Key& key) {
    key.values.shrink_to_fit();
    key.subkeys.shrink_to_fit();
    for (Key& subkey : key.subkeys) FitLists(subkey);
  }

  std::size_t FormattedSize(const Value& value) {
    scratch_.clear();
    AppendValue(scratch_, value);
    return scratch_.size();
  }

  std::optional<std::string> WrittenSizeCheck() const {
    if (written_ <= kMaxFileBytes) return std::nullopt;
    return LimitText("store that would be written back larger than", kMaxFileBytes, "bytes");
  }

  Key root_ = EmptyRoot();
  Node rootNode_;
  Key* key_ = nullptr;
  Node* node_ = nullptr;
  std::size_t written_ = HeaderSize();
  std::string scratch_;
};

// ---------------------------------------------------------------------------
// Reading back what was written

// Compares what the reader finds with the tree that was written, key by
// key in the writer's order, without building a second tree. The tree never
// holds two names that are equal without case (the store and the reader
// both merge them), so finding exactly the tree's keys and values, in its
// order, means the text reads back as this very tree.
class Comparer : public RegSink {
 public:
  explicit Comparer(const Key& root) : root_(root) {
    if (WritesKeyLine(root, true)) {
      key_ = &root;
    } else {
      key_ = Advance();
    }
  }

  std::optional<std::string> OnKey(std::vector<std::string>& names) override {
    if (started_ && (key_ == nullptr || nextValue_ != key_->values.size())) return Differs();
    if (started_) key_ = Advance();
    started_ = true;
    if (key_ == nullptr || names != path_) return Differs();
    nextValue_ = 0;
    return std::nullopt;
  }

  std::optional<std::string> OnValue(Value& value) override {
    if (nextValue_ >= key_->values.size() || !(key_->values[nextValue_] == value)) {
      return Differs();
    }
    ++nextValue_;
    return std::nullopt;
  }

  std::optional<std::string> OnEnd() override {
    if (!started_ && key_ == nullptr) return std::nullopt;  // an empty tree
    if (!started_ || nextValue_ != key_->values.size() || Advance() != nullptr) return Differs();
    return std::nullopt;
  }

 private:
  static std::optional<std::string> Differs() { return "the text reads back as another tree"; }

  // The next key in the writer's order: depth first, in creation order.
  const Key* Advance() {
    if (stack_.empty()) stack_.push_back({&root_, 0});
    while (!stack_.empty()) {
      auto& [key, next] = stack_.back();
      if (next < key->subkeys.size()) {
        const Key* child = &key->subkeys[next++];
        stack_.push_back({child, 0});
        path_.push_back(child->name);
        return child;
      }
      stack_.pop_back();
      if (!path_.empty()) path_.pop_back();
    }
    return nullptr;
  }

  const Key& root_;
  std::vector<std::pair<const Key*, std::size_t>> stack_;
  std::vector<std::string> path_;
  const Key* key_ = nullptr;
  std::size_t nextValue_ = 0;
  bool started_ = false;
};

}  // namespace

Key ParseRegFile(std::string_view bytes, std::string_view fileName) {
  TreeBuilder builder;
  ReadRegText(bytes, fileName, builder);
  return builder.Take();
}

void CheckReadsBack(std::string_view bytes, const Key& root, std::string_view fileName) {
  Comparer comparer(root);
  ReadRegText(bytes, fileName, comparer);
}

}  // namespace zorvanel::store
