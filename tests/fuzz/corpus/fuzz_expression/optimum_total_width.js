var angle = degreesToRadians(thisProperty.propertyGroup()(4));
width * Math.abs(Math.sin(angle)) + height * Math.abs(Math.cos(angle));