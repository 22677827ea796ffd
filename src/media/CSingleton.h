#pragma once

// Process-wide objects are made lazily through instance(); whoever owns the shutdown deletes
// them with destroyInstance(), after which the next instance() builds a fresh one.
template <class T> class CSingleton {
public:
  static T *instance() {
    if (!m_instance) m_instance = new T;
    return m_instance;
  }

  static void destroyInstance() {
    delete m_instance;
    m_instance = nullptr;
  }

  virtual ~CSingleton() {}

  static T *m_instance;
};

template <class T> T *CSingleton<T>::m_instance = nullptr;
