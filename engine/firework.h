#pragma once
// The common shape of every firework kind: step, Draw, DrawBetween and Finished. The show's list
// holds Firework values and reaches any kind through them without asking which kind it is. The
// kinds themselves are plain classes without a base class; Firework wraps one by value.

#include <concepts>
#include <memory>
#include <utility>

#include "engine/in_between.h"
#include "platform/drawing/surface.h"

namespace starquill {

// Finished is a read-only property on the sparkle and a public field on the rockets.
template <typename T>
bool IsFinished(const T& firework) {
  if constexpr (requires {
                  { firework.Finished() } -> std::convertible_to<bool>;
                }) {
    return firework.Finished();
  } else {
    return firework.Finished;
  }
}

template <typename T>
concept FireworkKind = std::movable<T> &&
    requires(T& firework, const T& view, Surface& canvas, const InBetween& at) {
  firework.step();
  firework.Draw(canvas);
  view.DrawBetween(canvas, at);
  { IsFinished(view) } -> std::convertible_to<bool>;
};

class Firework {
 public:
  template <FireworkKind T>
  explicit Firework(T firework) : self_(std::make_unique<Model<T>>(std::move(firework))) {}

  void step() { self_->step(); }
  void Draw(Surface& Canvas) { self_->Draw(Canvas); }
  // Draws the firework at a moment between this tick and the next (engine/in_between.h),
  // where it is headed then; changes nothing.
  void DrawBetween(Surface& Canvas, const InBetween& at) const { self_->DrawBetween(Canvas, at); }
  bool Finished() const { return self_->Finished(); }

  // The wrapped firework when it is a T, else nullptr (for whoever created it and for tests).
  template <FireworkKind T>
  T* As() {
    auto* model = dynamic_cast<Model<T>*>(self_.get());
    return model ? &model->firework : nullptr;
  }
  template <FireworkKind T>
  const T* As() const {
    const auto* model = dynamic_cast<const Model<T>*>(self_.get());
    return model ? &model->firework : nullptr;
  }

 private:
  struct Concept {
    virtual ~Concept() = default;
    virtual void step() = 0;
    virtual void Draw(Surface& canvas) = 0;
    virtual void DrawBetween(Surface& canvas, const InBetween& at) const = 0;
    virtual bool Finished() const = 0;
  };

  template <typename T>
  struct Model final : Concept {
    explicit Model(T f) : firework(std::move(f)) {}
    void step() override { firework.step(); }
    void Draw(Surface& canvas) override { firework.Draw(canvas); }
    void DrawBetween(Surface& canvas, const InBetween& at) const override {
      firework.DrawBetween(canvas, at);
    }
    bool Finished() const override { return IsFinished(firework); }
    T firework;
  };

  std::unique_ptr<Concept> self_;
};

}  // namespace starquill
