// GObject types whose every instance owns one C++ object, through a pointer member of the
// instance's struct: made with the instance, deleted when the instance is finalised.
#pragma once

#include <glib-object.h>

namespace zelkan {

template <auto member>
struct OwningType;

template <typename Instance, typename Owned, Owned* Instance::*member>
struct OwningType<member> {
  // The parent type's class, for the methods the type chains up to.
  static inline gpointer parent = nullptr;

  // Registers the type `name`, derived from `parentType`. `ClassInit` sets the class's own methods;
  // the finalizer is this one's.
  template <void (*ClassInit)(gpointer klass), typename Class>
  static GType registerAs(GType parentType, const char* name) {
    return g_type_register_static_simple(
        parentType, g_intern_static_string(name), sizeof(Class),
        [](gpointer klass, gpointer) {
          parent = g_type_class_peek_parent(klass);
          G_OBJECT_CLASS(klass)->finalize = [](GObject* object) {
            delete (reinterpret_cast<Instance*>(object)->*member);
            G_OBJECT_CLASS(parent)->finalize(object);
          };
          ClassInit(klass);
        },
        sizeof(Instance),
        [](GTypeInstance* instance, gpointer) {
          reinterpret_cast<Instance*>(instance)->*member = new Owned;
        },
        GTypeFlags(0));
  }
};

}  // namespace zelkan
