#pragma once
// Named notifications inside the process. Names are plain strings; an observer
// listens to one name, from any object or from one object only. Delivery is
// synchronous, on the thread that posts, in the order the observers were added.

#include <QString>

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

struct VQNotification {
    QString name;
    const void *object = nullptr; // identity of the sender or the subject; may be null
};

class VQNotificationCenter
{
  public:
    using Token = std::uint64_t;
    using Handler = std::function<void(const VQNotification &)>;

    static VQNotificationCenter &defaultCenter();

    // `object` null: every poster of `name`; otherwise only posts with that object.
    Token addObserver(const QString &name, const void *object, Handler handler);
    void removeObserver(Token token);

    void post(const QString &name, const void *object = nullptr);

    // Observers currently registered for a name (tests, diagnostics).
    int observerCount(const QString &name) const;

  private:
    struct Entry {
        Token token;
        QString name;
        const void *object;
        std::shared_ptr<Handler> handler;
    };
    mutable std::mutex _mutex;
    std::vector<Entry> _entries;
    Token _nextToken = 1;
};

// Removes its observer when it goes out of scope.
class VQObserverToken
{
  public:
    VQObserverToken() = default;
    explicit VQObserverToken(VQNotificationCenter::Token token, VQNotificationCenter *center = nullptr);
    VQObserverToken(VQObserverToken &&other) noexcept;
    VQObserverToken &operator=(VQObserverToken &&other) noexcept;
    VQObserverToken(const VQObserverToken &) = delete;
    VQObserverToken &operator=(const VQObserverToken &) = delete;
    ~VQObserverToken();
    void reset();

  private:
    VQNotificationCenter::Token _token = 0;
    VQNotificationCenter *_center = nullptr;
};
