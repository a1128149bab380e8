#pragma once

namespace reef {

class ResourceSource;

// The resources packed into the program from assets/ by the build.
const ResourceSource& EmbeddedResources();

}  // namespace reef
