#include "gui/native/gk_resource.h"

#include <algorithm>

namespace tarn {

namespace {
int32_t liveResources = 0;

void Erase(std::vector<GkResource*>& list, GkResource* resource) {
  auto found = std::find(list.begin(), list.end(), resource);
  if (found != list.end()) list.erase(found);
}
}  // namespace

GkResource::GkResource() { ++liveResources; }
GkResource::~GkResource() { --liveResources; }

int32_t GkResource::LiveCount() { return liveResources; }

void GkResource::AddOwned(GkResource* held) {
  if (!held || held == this) return;
  held->Retain();
  owns_.push_back(held);
  held->ownedBy_.push_back(this);
}

void GkResource::Release() {
  if (--refs_ > 0) return;
  std::vector<GkResource*> owned = std::move(owns_);
  owns_.clear();
  for (GkResource* held : owned) {
    Erase(held->ownedBy_, this);
    held->Release();
  }
  // A holder still linked to this one cannot exist (it keeps a reference), but cut any link
  // left so that no holder later releases a deleted resource.
  for (GkResource* holder : ownedBy_) Erase(holder->owns_, this);
  ownedBy_.clear();
  delete this;
}

}  // namespace tarn
