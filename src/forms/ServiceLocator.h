// Where the component finds its platform: the backend linked in, unless a
// test installed its own or replaced a single concern.
#pragma once

#include "forms/Services.h"

namespace tollivor::forms {

// The platform the component runs on. Tests install their own.
Platform& platform() noexcept;
void setPlatform(Platform* platform) noexcept;  // nullptr: back to the default

// Each concern as the component reaches it: the installed platform's, unless
// a single concern was replaced.
FormFactory& formFactory() noexcept;
SystemDialogs& dialogs() noexcept;
Display& display() noexcept;
FileSystem& fileSystem() noexcept;
SettingsStorage& settingsStorage() noexcept;
HelperLibraries& helperLibraries() noexcept;
CodePage& codePage() noexcept;

// Replaces one concern for the lifetime of the guard (nullptr: none).
template <class Service>
class ScopedService {
 public:
  explicit ScopedService(Service& service) noexcept;
  ~ScopedService();
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;
};

// Installs a platform for the lifetime of the guard.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(Platform& platform) noexcept { setPlatform(&platform); }
  ~ScopedPlatform() { setPlatform(nullptr); }
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;
};

}  // namespace tollivor::forms
