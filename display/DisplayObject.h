#pragma once

#include <memory>
#include <string>

#include "display/Graphics.h"
#include "display/events/EventDispatcher.h"
#include "geom/Point.h"
#include "runtime/contract/gfxrt.h"

namespace gfx::display {

class DisplayObjectContainer;
class Stage;

// One object of the display tree. The program keeps the tree's structure;
// every property and drawing command goes to the object's native node, which
// the display module draws. Display objects are shared (std::shared_ptr): a
// container holds its children, a child knows its parent by a plain pointer
// that the parent clears when it goes.
class DisplayObject : public events::EventDispatcher {
public:
    ~DisplayObject() override;

    // Setters send the value to the node and return it; getters ask the node.
    [[nodiscard]] double get_x() const;
    double set_x(double value);
    [[nodiscard]] double get_y() const;
    double set_y(double value);
    [[nodiscard]] double get_rotation() const;  // degrees
    double set_rotation(double value);
    [[nodiscard]] double get_scaleX() const;
    double set_scaleX(double value);
    [[nodiscard]] double get_scaleY() const;
    double set_scaleY(double value);
    [[nodiscard]] double get_alpha() const;
    double set_alpha(double value);
    [[nodiscard]] bool get_visible() const;
    bool set_visible(bool value);
    [[nodiscard]] double get_width() const;
    double set_width(double value);
    [[nodiscard]] double get_height() const;
    double set_height(double value);

    [[nodiscard]] DisplayObjectContainer* get_parent() const { return parent_; }
    // The stage above this object, or null when it is not on the stage.
    [[nodiscard]] virtual Stage* get_stage() const;

    // The object's drawing list, made on first use. It is part of the object:
    // the pointer does not keep the object alive and must not be used after
    // the object is gone.
    [[nodiscard]] std::shared_ptr<Graphics> get_graphics();

    // A stage point in this object's coordinates.
    [[nodiscard]] std::shared_ptr<geom::Point> globalToLocal(const geom::Point& point) const;

    // Runs this object's listeners for the event; then, unless it was
    // stopped, a bubbling event climbs to the parent's dispatchEvent. Returns
    // the result of this object's own listener walk.
    bool dispatchEvent(const events::EventPtr& event) override;

    // Interactive objects take part in the capture and bubble phases.
    [[nodiscard]] virtual bool isInteractive() const { return false; }

    // The object's name: empty unless set (the string is kept only then).
    [[nodiscard]] const std::string& get_name() const;
    void set_name(std::string value);

    [[nodiscard]] rt_node* handle() const { return handle_; }
    [[nodiscard]] int id() const { return id_; }

    [[nodiscard]] std::string toString() const override;

    // Delivers an event to this object and, for containers, to the whole
    // subtree below it: children first, in child order, then the object.
    virtual void broadcast(const events::EventPtr& event);
    // Objects in this subtree, itself included, that have ever had a
    // listener: a broadcast skips subtrees without any.
    [[nodiscard]] int listeningObjects() const { return listeningObjects_; }
    // The object with the given native id in this subtree, or null.
    [[nodiscard]] virtual DisplayObject* findByID(int id);

    // Runs this object's own listeners: the event's target becomes this
    // object if it has none yet, its currentTarget this object.
    bool dispatchToSelf(const events::EventPtr& event);

protected:
    // Takes over a native node made by the subclass.
    explicit DisplayObject(rt_node* handle);
    // The class's name, for toString.
    [[nodiscard]] virtual const char* className() const { return "DisplayObject"; }

    // Sends a new, non-bubbling event of the type to this object and then to
    // each object below it, parents before children.
    virtual void sendToSubtree(const std::string& type);
    // The object a broadcast from here reaches first: the innermost first child.
    [[nodiscard]] virtual DisplayObject* firstInBroadcast() { return this; }
    void firstListenerAdded() override { addListeningObjects(1); }
    // Whether an event of the type sent to this object could reach a
    // listener: one of its own or, for a bubbling event, an ancestor's.
    [[nodiscard]] bool mayHear(const std::string& type, bool bubbles) const;
    // Adds to the count of this object and of every ancestor.
    void addListeningObjects(int count);

private:
    friend class DisplayObjectContainer;

    // Sets the parent, sending "added"/"addedToStage" when it gets one and
    // "removed"/"removedFromStage" when it loses it.
    void setParent(DisplayObjectContainer* parent);

    // A level may hold a hundred thousand display objects: each keeps only
    // what most of them use, and a name only when it has one.
    rt_node* handle_;
    DisplayObjectContainer* parent_ = nullptr;
    Graphics graphics_{nullptr};  // its handle is asked for on first use
    std::unique_ptr<std::string> name_;
    int id_;
    int listeningObjects_ = 0;
};

using DisplayObjectPtr = std::shared_ptr<DisplayObject>;

}  // namespace gfx::display
