// Desk scene of Pokaz: the room with the desk, its five drawers, the lamps,
// and the props that the exercise brings out.
//
// One scene gives every desk picture; room, camera and light are the same
// in all of them, only the variant switches below change. Set them with
// POV-Ray's Declare= option (render_desk.sh does this):
//
//   OpenDrawer = 0          all drawers closed (the desk picture)
//   OpenDrawer = 1..5       that drawer pulled out towards the viewer, empty
//   Paper      = 0, 1, 2    no sheet / blank sheet / written sheet on the top
//   Pencils    = 0, 1       pen holder with pencils on the back of the top
//
// Example: povray desk.pov Declare=OpenDrawer=3 +W1280 +H956 ...
// The camera is fixed to the 640 x 478 picture (render_desk.sh renders it at
// twice that size and scales down, for antialiasing that is identical in
// every variant). Lighting is deterministic: no radiosity, no jitter, so
// the variants agree with the desk picture wherever they do not change it.

#version 3.7;

#ifndef (OpenDrawer) #declare OpenDrawer = 0; #end
#ifndef (Paper)      #declare Paper = 0;      #end
#ifndef (Pencils)    #declare Pencils = 0;    #end

#include "functions.inc"
#include "shapes.inc"

global_settings {
  assumed_gamma 1.0
  max_trace_level 6
  ambient_light 0
}

#include "desk_camera.inc"
#include "desk_materials.inc"
#include "desk_furniture.inc"
#include "desk_room.inc"
#include "desk_props.inc"

camera { DeskCamera }

// ---- Light -----------------------------------------------------------------
// Every light that casts shadows sits either behind the desk front (ceiling
// light, floor lamp, desk lamp) or close to the camera, and the light from
// the front that models the room (wall light) reaches only surfaces that a
// pulled-out drawer cannot shade. So an open drawer's shadow stays next to
// the drawer, inside the picture that shows it.

// Ceiling light over the desk: the main soft light from above. The top
// shades the floor under the desk, which goes nearly black.
#declare L_Ceiling = light_source {
  <0, 255, 45>
  color srgb <1.0, 0.98, 0.95> * 0.55
  area_light <260, 0, 0>, <0, 0, 70>, 7, 3
  adaptive 1
}

// Light from the front and above, for the wall, the photograph, the lamps
// and the desk top. It misses the floor and the desk's carcass (light groups
// below), so a pulled-out drawer casts nothing with it.
#declare L_Wall = light_source {
  <30, 330, -190>
  color srgb <1.0, 0.97, 0.93> * 0.95
  area_light <80, 0, 0>, <0, 40, 30>, 4, 3
  adaptive 1
}

// Key light on the drawer fronts: a soft source just below the camera, so
// a pulled drawer's shadow falls behind the drawer as the camera sees it.
#declare L_Key = light_source {
  <-5, 118, -245>
  color srgb <1.0, 0.97, 0.92> * 0.95
  area_light <12, 0, 0>, <0, 20, 0>, 3, 3
  adaptive 1
}

// Bulb of the floor lamp: warm light washing the wall at the right.
#macro BulbLight(CastsShadows)
  light_source {
    FloorLampBulbPos
    color srgb <1.0, 0.95, 0.86> * 1.6
    fade_distance 60 fade_power 2
    #if (CastsShadows)
      area_light <6, 0, 0>, <0, 0, 6>, 3, 3
      adaptive 1
      circular orient
    #else
      shadowless
    #end
  }
#end
#declare L_Bulb = BulbLight(true)

// The same bulb without shadows for the wall, the desk top and what stands
// on it: low and to the side, it would throw the pen holder's shadow far
// across the desk top, out of the pen holder's picture.
#declare L_BulbWash = BulbLight(false)

// Desk lamp: a warm pool on the desk top in front of its foot, where the
// paper lies.
#declare L_DeskLamp = light_source {
  DeskLampLightPos
  color srgb <1.0, 0.90, 0.74> * 1.1
  spotlight
  point_at PixelOnY(318, 184, TopY)
  radius 22 falloff 50 tightness 2
  area_light <8, 0, 0>, <0, 0, 5>, 3, 3
  adaptive 1
}

// Faint shadowless fill from the front right, so nothing goes fully black.
#declare L_Fill = light_source {
  <160, 170, -260>
  color srgb <0.88, 0.90, 1.0> * 0.22
  shadowless
}

// ---- Scene -----------------------------------------------------------------
// Room, lamps, desk top and props: lit by the global lights.
light_source { L_Ceiling }
light_source { L_Wall }
light_source { L_BulbWash }
light_source { L_DeskLamp }
light_source { L_Fill }

object { Photograph }
object { DeskTop }
object { DeskLamp }
object { FloorLamp }

// The sheet without the desk lamp: in its warm pool the blank sheet turned
// cream in the middle, and the shared palette dithered that into cream dots.
#if (Paper > 0)
  #declare PaperWritten = (Paper > 1);
  light_group {
    light_source { L_Ceiling }
    light_source { L_Wall }
    light_source { L_BulbWash }
    light_source { L_Fill }
    object { SheetOfPaper(PaperWritten) }
    global_lights off
  }
#end
#if (Pencils)
  object { PenHolder }
#end

// Wall: the floor lamp's bulb with its shadows, so the wall under the desk
// lies in the shadow of the top.
light_group {
  light_source { L_Ceiling }
  light_source { L_Wall }
  light_source { L_Bulb }
  light_source { L_Fill }
  object { Wall }
  global_lights off
}

// Carcass, legs and drawers.
light_group {
  light_source { L_Key }
  light_source { L_Ceiling }
  light_source { L_Bulb }
  light_source { L_Fill }
  object { Desk }
  global_lights off
}

// Floor and rug, with a shadowless wash from the front for the carpet's own
// blue; the ceiling light leaves the floor under the desk dark.
light_group {
  light_source { <0, 200, -300> color srgb <0.9, 0.92, 1.0> * 0.40 shadowless }
  light_source { L_Ceiling }
  light_source { L_Bulb }
  light_source { L_Fill }
  object { Floor }
  global_lights off
}
