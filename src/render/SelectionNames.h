#pragma once
// OpenGL selection names are 32 bits wide, object addresses 64: every object drawn for picking
// gets a small name of its own, and a hit's name leads back to the object. The name remembers
// the object's type, so a lookup for another type finds nothing. Window thread only.
#include <cstdint>
#include <typeinfo>

// Names start at 1; an object keeps its name until it is forgotten.
uint32_t RegisterSelectionName(const void* object, const std::type_info& type);
const void* SelectionNameObject(uint32_t name, const std::type_info& type);
// Called when the object goes away; its name may then be given to another object.
void ForgetSelectionName(const void* object);

template <class T> uint32_t SelectionNameOf(const T* object) {
    return RegisterSelectionName(object, typeid(const T*));
}

// The object of that type named Name, or nullptr.
template <class T> T* ObjectOfSelectionName(uint32_t name) {
    return static_cast<T*>(const_cast<void*>(SelectionNameObject(name, typeid(const T*))));
}
