// The system's registry of file types as a RegistrySource.
#ifndef PELLUMAR_REGISTRY_H
#define PELLUMAR_REGISTRY_H

#include "launch.h"

class SystemRegistry : public RegistrySource {
public:
    bool DefaultValue(const std::string& key, std::string& value) override;
};

#endif
