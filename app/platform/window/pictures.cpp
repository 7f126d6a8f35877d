// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/window/pictures.h"

#include <QCoreApplication>
#include <QSvgRenderer>
#include <map>

#include "app/view_model.h"

// The pictures live in a static library: make sure the linker keeps them.
static void initOrtalbaResources() { Q_INIT_RESOURCE(resources); }

namespace ortalba {

void initPictures() {
  static const bool registered = (initOrtalbaResources(), true);
  (void)registered;
}

QString picturePath(int resource) {
  switch (resource) {
    case app::resources::FullMoon:
    case app::resources::LastQuarter:
    case app::resources::NewMoon:
    case app::resources::FirstQuarter:
      return QStringLiteral(":/moon/%1.svg").arg(resource);
    case app::resources::Gerbera:
    case app::resources::Sunflowers:
    case app::resources::QuestionMark:
      return QStringLiteral(":/pictures/%1.svg").arg(resource);
    default:
      return {};
  }
}

QSvgRenderer* pictureRenderer(int resource) {
  initPictures();
  // The renderers belong to the application object, so they go with it.
  static std::map<int, QSvgRenderer*> cache;
  auto it = cache.find(resource);
  if (it == cache.end()) {
    const QString path = picturePath(resource);
    it = cache.emplace(resource, path.isEmpty() ? nullptr : new QSvgRenderer(path, qApp)).first;
  }
  return it->second;
}

}  // namespace ortalba
