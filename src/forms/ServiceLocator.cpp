#include "forms/ServiceLocator.h"

namespace tollivor::forms {

namespace {
Platform* g_platform = nullptr;
}  // namespace

Platform& defaultPlatform() noexcept;  // provided by the backend linked in

Platform& platform() noexcept { return g_platform ? *g_platform : defaultPlatform(); }

void setPlatform(Platform* p) noexcept { g_platform = p; }

namespace {

// A replaced concern, or nullptr for the platform's own.
template <class Service>
Service*& replaced() noexcept {
  static Service* service = nullptr;
  return service;
}

template <class Service>
Service& service() noexcept {
  Service* own = replaced<Service>();
  return own ? *own : static_cast<Service&>(platform());
}

}  // namespace

FormFactory& formFactory() noexcept { return service<FormFactory>(); }
SystemDialogs& dialogs() noexcept { return service<SystemDialogs>(); }
Display& display() noexcept { return service<Display>(); }
FileSystem& fileSystem() noexcept { return service<FileSystem>(); }
SettingsStorage& settingsStorage() noexcept { return service<SettingsStorage>(); }
HelperLibraries& helperLibraries() noexcept { return service<HelperLibraries>(); }
CodePage& codePage() noexcept { return service<CodePage>(); }

template <class Service>
ScopedService<Service>::ScopedService(Service& s) noexcept {
  replaced<Service>() = &s;
}

template <class Service>
ScopedService<Service>::~ScopedService() {
  replaced<Service>() = nullptr;
}

template class ScopedService<FormFactory>;
template class ScopedService<SystemDialogs>;
template class ScopedService<Display>;
template class ScopedService<FileSystem>;
template class ScopedService<SettingsStorage>;
template class ScopedService<HelperLibraries>;
template class ScopedService<CodePage>;

}  // namespace tollivor::forms
