// Wall mailbox of the street scene: a lime-yellow metal box with rounded
// edges on a rough grey plastered wall, a hinged flap over the letter slot
// near the top of its front and the blue capitals "HPT" below.
//
// One scene gives both pictures of the mailbox. The flap is chosen on the
// command line with Declare=FlapOpen=0 (closed, the background picture) or
// Declare=FlapOpen=1 (swung up, the open-slot picture). Nothing else depends
// on FlapOpen, so wall, box, camera and light are identical in both renders
// and the two pictures differ only around the slot: the open flap and its
// shadow stay inside the box x 75..179, y 64..120 of the 215x237 picture.
// The area light is sampled without jitter and render_mailbox.sh antialiases
// on a fixed grid, so the renders are repeatable pixel for pixel.
//
// Units are centimetres: x to the right, y up, z into the wall. The wall is
// the plane z = 0 and the box stands out of it towards the viewer.

#version 3.7;
#include "shapes.inc"

#ifndef (FlapOpen) #declare FlapOpen = 0; #end

global_settings {
  assumed_gamma 1.0
  max_trace_level 6
}

// Box and slot dimensions.
#declare BoxLeft   = -18;
#declare BoxRight  =  18;
#declare BoxBottom = -25;
#declare BoxTop    =  25;
#declare BoxDepth  =  15;
#declare BoxFront  = -BoxDepth;
#declare EdgeRound =  3.2;

#declare SlotWidth   = 16;
#declare SlotHeight  = 2.4;
#declare SlotCentreX = 0;
#declare SlotCentreY = 13.7;

#declare FlapWidth     = 19;
#declare FlapHeight    = 6.0;
#declare FlapThickness = 0.5;
#declare FlapRound     = 0.25;
// The hinge runs along the flap's top edge, just in front of the box.
#declare HingeY = SlotCentreY + SlotHeight / 2 + 2.0;
#declare HingeZ = BoxFront - 0.55;
// A closed flap hangs a little out at the bottom; an open one is swung up.
#declare FlapAngle = (FlapOpen ? 70 : 4);

// ---------------------------------------------------------------- camera
camera {
  perspective
  location <-55, 30, -190>
  look_at  <-4.8, 2.5, -6>
  right    x * 215 / 237
  angle    18
}

// ---------------------------------------------------------------- light
// Sun from the upper right front, a soft area light so the shadows blur.
light_source {
  <45, 115, -100>
  color rgb 1.42
  area_light <18, 0, 0>, <0, 18, 0>, 7, 7
  adaptive 1
  circular
  orient
  // Close enough to fall off across the box: brighter at the upper right.
  fade_distance 150
  fade_power 2
}
// Weak shadowless fill from the camera side keeps the shade readable.
light_source {
  <-200, 50, -90>
  color rgb 0.45
  shadowless
}

// ---------------------------------------------------------------- materials
#declare MetalYellow = texture {
  pigment { color srgb <0.80, 0.85, 0.06> }
  finish {
    ambient 0.05
    diffuse 0.8
    specular 0.16
    roughness 0.03
    brilliance 1.2
  }
  // A faint orange-peel ripple like stove-enamelled sheet metal.
  normal { bumps 0.04 scale 1.5 }
}

#declare SlotDark = texture {
  pigment { color srgb <0.05, 0.05, 0.04> }
  finish { ambient 0.02 diffuse 0.4 }
}

#declare LetterBlue = texture {
  pigment { color srgb <0.21, 0.21, 0.60> }
  finish { ambient 0.05 diffuse 0.75 specular 0.15 roughness 0.05 }
}

#declare HingeMetal = texture {
  pigment { color srgb <0.55, 0.58, 0.08> }
  finish { ambient 0.05 diffuse 0.7 specular 0.5 roughness 0.01 }
}

// Plaster: a coarse trowelled surface, grains a few pixels wide so that
// the picture survives reduction to a small palette.
#declare Plaster = texture {
  pigment {
    granite
    color_map {
      [0.00 color srgb <0.375, 0.365, 0.345>]
      [0.50 color srgb <0.415, 0.405, 0.375>]
      [1.00 color srgb <0.455, 0.44, 0.415>]
    }
    scale 9
  }
  normal {
    average
    normal_map {
      [1.0 granite 0.35 scale 6]
      [1.0 bumps 0.55 scale 1.1]
    }
  }
  finish { ambient 0.06 diffuse 0.72 }
}

// ---------------------------------------------------------------- wall
plane {
  -z, 0
  texture { Plaster }
}

// ---------------------------------------------------------------- box
difference {
  Round_Box(<BoxLeft, BoxBottom, BoxFront>, <BoxRight, BoxTop, 2>, EdgeRound, yes)
  // The slot is a dark pocket behind the flap.
  box {
    <SlotCentreX - SlotWidth / 2, SlotCentreY - SlotHeight / 2, BoxFront - 1>
    <SlotCentreX + SlotWidth / 2, SlotCentreY + SlotHeight / 2, BoxFront + 5>
    texture { SlotDark }
  }
  texture { MetalYellow }
}

// A thin rim pressed around the slot.
difference {
  Round_Box(
    <SlotCentreX - SlotWidth / 2 - 1.0, SlotCentreY - SlotHeight / 2 - 1.0, BoxFront - 0.25>,
    <SlotCentreX + SlotWidth / 2 + 1.0, SlotCentreY + SlotHeight / 2 + 1.0, BoxFront + 0.5>,
    0.2, yes)
  box {
    <SlotCentreX - SlotWidth / 2, SlotCentreY - SlotHeight / 2, BoxFront - 1>
    <SlotCentreX + SlotWidth / 2, SlotCentreY + SlotHeight / 2, BoxFront + 1>
  }
  texture { MetalYellow }
}

// ---------------------------------------------------------------- flap
// Modelled with its hinge on the x axis, then swung and moved into place.
union {
  Round_Box(
    <-FlapWidth / 2, -FlapHeight, -FlapThickness / 2>,
    < FlapWidth / 2,  0.3,         FlapThickness / 2>,
    FlapRound, yes)
  // Lip bent out along the bottom edge, to lift the flap with a letter.
  Round_Box(
    <-FlapWidth / 2, -FlapHeight, -FlapThickness / 2 - 0.7>,
    < FlapWidth / 2, -FlapHeight + 0.6, FlapThickness / 2>,
    FlapRound, yes)
  // Rolled hinge along the top edge.
  cylinder {
    <-FlapWidth / 2 + 0.2, 0, 0>, <FlapWidth / 2 - 0.2, 0, 0>, 0.55
    texture { HingeMetal }
  }
  texture { MetalYellow }
  rotate x * FlapAngle
  translate <SlotCentreX, HingeY, HingeZ>
}

// Hinge brackets fixed to the box at both ends of the flap.
#for (Side, -1, 1, 2)
  sphere {
    <SlotCentreX + Side * (FlapWidth / 2 + 0.6), HingeY, HingeZ + 0.05>, 0.8
    scale <1, 1, 0.9>
    texture { HingeMetal }
  }
#end

// ---------------------------------------------------------------- lettering
#declare Lettering = text {
  ttf "DejaVuSans-Bold.ttf" "HPT" 0.3, 0
  scale <10.5, 11, 1>
}
#declare LetteringMin = min_extent(Lettering);
#declare LetteringMax = max_extent(Lettering);
// Centred across the front, on its lower half, just on the enamel.
object {
  Lettering
  texture { LetterBlue }
  translate <-(LetteringMin.x + LetteringMax.x) / 2, -13.5, BoxFront - 0.12>
}
