// An engine set up on the recording fakes, with a small animation set of known sizes.
#pragma once

#include <string>

#include "engine/vtEngine.h"
#include "graphics/vtAnimationEngine.h"
#include "support/vtTestContext.h"

namespace quellix::testing {

struct TEngineKit {
  TTestContext ctx;
  TFakeImageList& images = ctx.Platform.Images;
  Tvt6Engine engine{ctx.Context};

  TEngineKit() {
    images.Add("dot", 2, 2);
    images.Add("enemy", 20, 20);
    images.Add("hole", 100, 100);
    images.Add("w10", 10, 10);
    engine.Setup(ctx.Platform.DisplayFake, images, "", ctx.Platform.Sounds);
    Tvt6AnimationEngine& anims = *engine.AnimationEngine();
    anims.LoadFromStrings({"",
                           "[REELREC]",
                           "r",
                           "[SCENEREC]",
                           "dot",
                           "255,0,0.5,0.5,100,100,dot,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "enemy",
                           "255,0,0.5,0.5,100,100,enemy,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "hole",
                           "255,0,0.5,0.5,100,100,hole,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "w10",
                           "255,0,0.5,0.5,100,100,w10,1",
                           "[ENDSCENE]",
                           "[SCENEREC]",
                           "anim",
                           "255,0,0.5,0.5,100,100,dot,1",
                           "255,0,0.5,0.5,100,100,enemy,1",
                           "255,0,0.5,0.5,100,100,hole,1",
                           "[ENDSCENE]"});
    anims.LinkImages(images);
  }

  Tvt6Sprite& Spawn(const char* scene, int32_t x, int32_t y, int32_t kind = 0,
                    bool collidable = false) {
    Tvt6Sprite& sprite = engine.NewSprite();
    sprite.Place(x, y, Tvt6Sprite::NotSet, collidable);
    sprite.Projector->QuickInit("r", scene, Tvt6Projector::NotSet);
    sprite.Kind = kind;
    return sprite;
  }
};

}  // namespace quellix::testing
