// Pictures kept by a key, the one unused longest going first when a limit is passed.
#pragma once

#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <utility>

#include <QImage>

template <typename Key, typename Less = std::less<Key>>
class RecentPictures {
 public:
  // The limits: how many pictures, and how many bytes of them; one picture is always kept.
  RecentPictures(size_t maxCount, qsizetype maxBytes) : maxCount_(maxCount), maxBytes_(maxBytes) {}

  // The kept picture, now the most recently used; nullptr when none is kept for the key.
  const QImage* Find(const Key& key) {
    auto found = byKey_.find(key);
    if (found == byKey_.end()) return nullptr;
    recent_.splice(recent_.begin(), recent_, found->second);
    return &found->second->picture;
  }

  // Keeps the picture for a key that Find did not know; returns the kept picture.
  const QImage& Add(Key key, QImage picture) {
    bytes_ += picture.sizeInBytes();
    recent_.push_front({key, std::move(picture)});
    byKey_.emplace(std::move(key), recent_.begin());
    while (recent_.size() > 1 && (recent_.size() > maxCount_ || bytes_ > maxBytes_)) {
      bytes_ -= recent_.back().picture.sizeInBytes();
      byKey_.erase(recent_.back().key);
      recent_.pop_back();
    }
    return recent_.front().picture;
  }

  void Clear() {
    recent_.clear();
    byKey_.clear();
    bytes_ = 0;
  }

 private:
  struct Kept {
    Key key;
    QImage picture;
  };
  size_t maxCount_;
  qsizetype maxBytes_;
  std::list<Kept> recent_;   // most recently used first
  std::map<Key, typename std::list<Kept>::iterator, Less> byKey_;
  qsizetype bytes_ = 0;
};
