// The one way a replaceable service is held: the instance in use, its default, and a scoped replacement.
#pragma once

#include <memory>
#include <utility>

namespace rtl {

// Holds the service every caller uses. The default is made at once, so the slot never stands empty.
template <class T>
class ServiceSlot {
public:
    using Factory = std::shared_ptr<T> (*)();

    explicit ServiceSlot(Factory makeDefault) : makeDefault_(makeDefault), current_(makeDefault()) {}
    ServiceSlot(const ServiceSlot&) = delete;
    ServiceSlot& operator=(const ServiceSlot&) = delete;

    T& Current() const { return *current_; }

    // Installs a service and returns the one it replaces; null brings back a fresh default.
    std::shared_ptr<T> Install(std::shared_ptr<T> service) {
        if (!service) service = makeDefault_();
        std::swap(current_, service);
        return service;
    }

private:
    Factory makeDefault_;
    std::shared_ptr<T> current_;
};

// Installs a service into a slot for the lifetime of the object, then puts back the one it found.
// Service is the installed type, so that tests reach their fake's own members.
template <class T, class Service = T>
class ScopedService {
public:
    ScopedService(ServiceSlot<T>& slot, std::shared_ptr<Service> service)
        : slot_(slot), service_(std::move(service)), previous_(slot_.Install(service_)) {}
    ~ScopedService() { slot_.Install(std::move(previous_)); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

    Service& operator*() const { return *service_; }
    Service* operator->() const { return service_.get(); }
    const std::shared_ptr<Service>& Shared() const { return service_; }

private:
    ServiceSlot<T>& slot_;
    std::shared_ptr<Service> service_;
    std::shared_ptr<T> previous_;
};

}  // namespace rtl
